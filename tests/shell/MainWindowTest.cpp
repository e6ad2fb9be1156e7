// The main window's poll and commit against the in-process fake agent: which
// documents are fetched, kept or dropped in each sign-in state, what the Apply button
// shows, and what OK, Apply and Cancel send.
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "shell/Common.h"
#include "tests/support/BoxAnswer.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/FakePage.h"
#include "toolkit/Label.h"
#include "agent/AgentCallFilter.h"
#include "agent/UnitDef.h"
#include "shell/frmCnfgMain.h"
#include "pages/frameUser.h"

namespace {

class MainWindowTest : public MainWindowFixture {
 protected:
  void Edit() { MarkUserProfileModified(true); }
  // The user page's controls the poll writes.
  TControl& Network() { return Page<TPageUser>(L"PageUser")->labNetwork; }
  TControl& Sign() { return Page<TPageUser>(L"PageUser")->btnSign; }

  TFakePage page;
};

TEST_F(MainWindowTest, StartsWithTheUserButtonCheckedAndApplyDisabled) {
  EXPECT_EQ(main->Caption(), L"维特兰诺用户管理");
  EXPECT_TRUE(main->btnUser.Checked());
  EXPECT_FALSE(main->btnApply.Enabled());
  RECT client;
  GetClientRect(main->Handle(), &client);
  EXPECT_EQ(client.right, 605);
  EXPECT_EQ(client.bottom, 441);
}

TEST_F(MainWindowTest, NoUsableUserDropsBothDocumentsOnEveryTick) {
  agent.userState = 1;
  agent.online = false;
  UserProfile = ParseUserInfo(agent.userProfileXml);
  LocalSettings = ParseLocalSetting(agent.localSettingsXml);
  Tick();
  EXPECT_FALSE(UserProfile.Assigned());
  EXPECT_FALSE(LocalSettings.Assigned());
  EXPECT_EQ(Network().Caption(), L"离线");
  EXPECT_EQ(Sign().Caption(), L"签  入");
  EXPECT_FALSE(Sign().Enabled());
  EXPECT_FALSE(main->btnApply.Enabled());
  EXPECT_EQ(agent.CallCount(L"GetUserProfile"), 0);

  SetLocalSettingsModified(true);
  Tick();
  EXPECT_TRUE(main->btnApply.Enabled());
}

TEST_F(MainWindowTest, SigningInFetchesBothOnceAndRefreshesThePageOnce) {
  CurrentPage = TComPtr<IPageWrapper>(&page);
  agent.userState = 1;
  Tick();
  agent.userState = 2;
  Tick();
  EXPECT_TRUE(UserProfile.Assigned());
  EXPECT_TRUE(LocalSettings.Assigned());
  EXPECT_EQ(Network().Caption(), L"在线");
  EXPECT_EQ(Sign().Caption(), L"签  出");
  EXPECT_EQ(page.refreshes, 1);
  // The profile comes first, then the local settings, with mode 0.
  std::vector<std::wstring> fetches;
  for (const auto& call : agent.calls)
    if (call == L"GetUserProfile" || call == L"GetAppProfile") fetches.push_back(call);
  EXPECT_EQ(fetches, (std::vector<std::wstring>{L"GetUserProfile", L"GetAppProfile"}));
  EXPECT_EQ(agent.arguments, std::vector<std::wstring>{L"0"});

  Tick();
  Tick();
  EXPECT_EQ(agent.CallCount(L"GetUserProfile"), 1);
  EXPECT_EQ(page.refreshes, 1);
}

TEST_F(MainWindowTest, MissingLocalSettingsRefetchesBothWhenNothingIsEdited) {
  agent.FailOn(L"GetAppProfile", L"busy", 1);
  Tick();  // profile held, local settings failed: beep
  EXPECT_TRUE(UserProfile.Assigned());
  EXPECT_FALSE(LocalSettings.Assigned());
  Tick();
  EXPECT_EQ(agent.CallCount(L"GetUserProfile"), 2);
  EXPECT_TRUE(LocalSettings.Assigned());
}

TEST_F(MainWindowTest, MissingLocalSettingsNeverReplaceAnEditedProfile) {
  agent.FailOn(L"GetAppProfile", L"busy", 3);
  Tick();
  UserProfile.SetUserName(L"edited");
  Edit();
  Tick();
  Tick();
  Tick();  // the local settings arrive on this tick
  EXPECT_EQ(agent.CallCount(L"GetUserProfile"), 1);
  EXPECT_TRUE(LocalSettings.Assigned());
  EXPECT_EQ(UserProfile.UserName(), L"edited");
  EXPECT_TRUE(main->btnApply.Enabled());
}

TEST_F(MainWindowTest, AFailingAgentSkipsTheRestOfTheTick) {
  Tick();
  Edit();
  Tick();
  ASSERT_TRUE(main->btnApply.Enabled());
  agent.FailOn(L"GetUserState", L"gone");
  agent.userState = 1;
  Tick();
  EXPECT_TRUE(UserProfile.Assigned());  // not dropped: the tick stopped before
  EXPECT_TRUE(main->btnApply.Enabled());
  EXPECT_TRUE(errors.empty());  // beeps, no report
}

TEST_F(MainWindowTest, ApplySendsLocalSettingsThenTheMarkedProfile) {
  Tick();
  LocalSettings.SetHeartBeat(300);
  SetLocalSettingsModified(true);
  UserProfile.SetUserName(L"新名字");
  Edit();
  Tick();
  main->btnApply.Click();
  ASSERT_EQ(agent.putAppProfiles.size(), 1u);
  ASSERT_EQ(agent.putUserProfiles.size(), 1u);
  const auto put = [&](const wchar_t* op) {
    return std::find(agent.calls.begin(), agent.calls.end(), op) - agent.calls.begin();
  };
  EXPECT_LT(put(L"PutAppProfile"), put(L"PutUserProfile"));
  const std::wstring& sent = agent.putUserProfiles[0];
  EXPECT_EQ(sent.find(L"<?xml"), std::wstring::npos);
  EXPECT_NE(sent.find(L"Modified=\"True\""), std::wstring::npos);
  EXPECT_NE(sent.find(L"新名字"), std::wstring::npos);
  EXPECT_NE(agent.putAppProfiles[0].find(L"<HeartBeat>300</HeartBeat>"), std::wstring::npos);
  EXPECT_EQ(agent.putUserProfileFlags[0], -1);
  EXPECT_FALSE(UserProfile.Modified());
  EXPECT_FALSE(LocalSettingsModified);
  EXPECT_NE(main->Handle(), nullptr);  // Apply keeps the window open
  Tick();
  EXPECT_FALSE(main->btnApply.Enabled());
}

TEST_F(MainWindowTest, NothingModifiedSendsNothing) {
  Tick();
  SetLocalSettingsModified(false);
  main->btnApply.Click();
  EXPECT_TRUE(agent.putAppProfiles.empty());
  EXPECT_TRUE(agent.putUserProfiles.empty());
  main->btnOK.Click();
  EXPECT_EQ(main->Handle(), nullptr);  // OK closes the window
  EXPECT_TRUE(agent.putUserProfiles.empty());
}

TEST_F(MainWindowTest, FailedProfileSendKeepsTheEditsAndTheWindow) {
  Tick();
  Edit();
  agent.FailOn(L"PutUserProfile", L"服务器拒绝了更新", 1);
  main->btnOK.Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], L"更新错误：服务器拒绝了更新");
  EXPECT_NE(main->Handle(), nullptr);
  EXPECT_TRUE(UserProfile.Modified());
  Tick();
  EXPECT_TRUE(main->btnApply.Enabled());
  main->btnOK.Click();  // the next try goes through and closes
  EXPECT_EQ(agent.putUserProfiles.size(), 1u);
  EXPECT_EQ(main->Handle(), nullptr);
}

TEST_F(MainWindowTest, FailedLocalSettingsSendStopsBeforeTheProfile) {
  Tick();
  SetLocalSettingsModified(true);
  Edit();
  agent.FailOn(L"PutAppProfile", L"设置无效", 1);
  main->btnOK.Click();
  EXPECT_EQ(messages, std::vector<std::wstring>{L"设置无效"});
  EXPECT_TRUE(agent.putUserProfiles.empty());
  EXPECT_TRUE(LocalSettingsModified);
  EXPECT_NE(main->Handle(), nullptr);
}

TEST_F(MainWindowTest, CancelClosesWithoutSending) {
  Tick();
  Edit();
  main->btnCancel.Click();
  EXPECT_EQ(main->Handle(), nullptr);
  EXPECT_TRUE(agent.putUserProfiles.empty());
}

// The window takes input while a call waits for the agent: OK then comes inside that
// wait, and Cancel too while OK's commit waits for its turn.
TEST_F(MainWindowTest, OkDuringAnotherCallsWaitCommitsAfterItAndCancelMeanwhileAsksFirst) {
  Tick();
  Edit();
  {
    TAgentCallScope waiting;
    main->btnOK.Click();
    TBoxAnswer no(IDNO);
    main->btnCancel.Click();
    ASSERT_EQ(no.Boxes().size(), 1u);
    EXPECT_EQ(no.Boxes()[0].text, GetResString(565));
    EXPECT_TRUE(no.Boxes()[0].defaultIsNo);
    Tick();
  }
  EXPECT_NE(main->Handle(), nullptr);
  EXPECT_TRUE(agent.putUserProfiles.empty());
  Tick();  // the first tick after the wait sends, and OK closes
  EXPECT_EQ(agent.putUserProfiles.size(), 1u);
  EXPECT_EQ(main->Handle(), nullptr);
}

TEST_F(MainWindowTest, SectionButtonsChooseByServiceTypeOnlyWithAProfile) {
  agent.serviceType = 3;
  CurrentPage = TComPtr<IPageWrapper>(&page);
  main->btnDns.SetChecked(true);
  EXPECT_EQ(agent.CallCount(L"GetServiceType"), 0);  // no profile: standard page
  EXPECT_GE(page.closes, 1);

  Tick();
  CurrentPage = TComPtr<IPageWrapper>(&page);
  agent.FailOn(L"GetServiceType", L"断开", 1);
  const int closesBefore = page.closes;
  agent.ClearCalls();
  Click(main->btnRRs);
  EXPECT_EQ(page.closes, closesBefore + 2);  // unchecked btnDns, then the section's own close
  EXPECT_EQ(agent.CallCount(L"GetServiceType"), 1);
  // Said in the popup, and the page the user came from is still the current one.
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(messages, std::vector<std::wstring>{L"该页无法打开：断开"});
  EXPECT_EQ(CurrentPage.Get(), &page);
}

TEST_F(MainWindowTest, NavigationClosesTheOldPageBeforeTheNewOne) {
  std::vector<std::wstring> order;
  main->btnUser.OnUnchecked = [&](TControl& s) { order.push_back(L"unchecked " + s.Name()); };
  main->btnInfo.OnChecked = [&](TControl& s) { order.push_back(L"checked " + s.Name()); };
  Click(main->btnInfo);
  EXPECT_EQ(order, (std::vector<std::wstring>{L"unchecked btnUser", L"checked btnInfo"}));
  EXPECT_FALSE(main->btnUser.Checked());
  EXPECT_TRUE(main->btnInfo.Checked());
}

}  // namespace

namespace {

TEST_F(MainWindowTest, UnsentEditsWaitForTheirAccountWhileTheAgentHasNoUser) {
  Tick();
  UserProfile.SetUserName(L"edited");
  Edit();
  LocalSettings.SetHeartBeat(300);
  SetLocalSettingsModified(true);

  // The account is unset for a moment and comes back: both edits are there again.
  agent.userState = 1;
  Tick();
  EXPECT_FALSE(UserProfile.Assigned());
  agent.userState = 2;
  Tick();
  ASSERT_TRUE(UserProfile.Assigned());
  EXPECT_EQ(UserProfile.UserName(), L"edited");
  EXPECT_TRUE(UserProfile.Modified());
  EXPECT_EQ(LocalSettings.HeartBeat(), 300);
  EXPECT_TRUE(LocalSettingsModified);
  EXPECT_TRUE(main->btnApply.Enabled());
  EXPECT_TRUE(messages.empty());

  // Another account comes instead: its profile is shown, the user is told what was lost;
  // the local settings are the agent's own and stay edited.
  agent.userState = 1;
  Tick();
  agent.userProfileXml = L"<UserInfo Modified=\"False\"><Domain>other.example</Domain></UserInfo>";
  agent.userState = 2;
  Tick();
  EXPECT_EQ(UserProfile.Domain(), L"other.example");
  EXPECT_FALSE(UserProfile.Modified());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(L"demo.example"), std::wstring::npos);
  EXPECT_NE(messages[0].find(L"未发送的修改已被丢弃"), std::wstring::npos);
  EXPECT_EQ(LocalSettings.HeartBeat(), 300);
}

TEST_F(MainWindowTest, ARunOfFailingTicksBeepsAndTellsOnce) {
  int beeps = 0;
  main->AgentHealth.OnBeep = [&] { ++beeps; };
  Tick();
  agent.FailOn(L"IsOnline", L"代理数据文件已损坏：Profiles\\pro.xml");
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(messages, std::vector<std::wstring>{L"代理数据文件已损坏：Profiles\\pro.xml"});

  // A good tick ends the run; the next failure is told again.
  agent.ClearFailures();
  Tick();
  agent.FailOn(L"GetUserState", L"again");
  Tick();
  Tick();
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(messages.size(), 2u);
}

}  // namespace
