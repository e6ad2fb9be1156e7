// The main window's poll and commit against the real, registered agent: what the
// program does not touch (the charge log, fields no page shows, elements it does not
// know) reaches the agent unchanged, and a failure is reported with the agent's text.
#include <gtest/gtest.h>

#include <regex>

#include "tests/support/AgentData.h"
#include "toolkit/Application.h"
#include "tests/support/TestPaths.h"
#include "tests/support/TestXml.h"
#include "agent/UnitDef.h"
#include "shell/frmCnfgMain.h"

namespace {

using namespace vt::test;

class CommitWithAgentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAgentData();
    StartUpSharedState(ProductDir());
    MessageSink = [this](const std::wstring& text) { messages.push_back(text); };
    main = std::make_unique<TCnfgMain>();
    main->StateTimer.SetEnabled(false);
  }
  void TearDown() override {
    main.reset();
    MessageSink = nullptr;
    ShutDownSharedState();
  }
  void Tick() { main->StateTimerTimer(main->StateTimer); }
  static std::wstring ProfileFile() { return AgentDataDir() + L"Profiles\\" + kDemoProId + L".xml"; }

  std::vector<std::wstring> messages;
  std::unique_ptr<TCnfgMain> main;
};

TEST_F(CommitWithAgentTest, WhatThePagesDoNotTouchReachesTheAgentUnchanged) {
  // An element this program does not know, with content of its own.
  std::wstring stored = StoredUserProfile();
  const size_t end = stored.rfind(L"</UserInfo>");
  ASSERT_NE(end, std::wstring::npos);
  stored.insert(end, L"<Extension Kind=\"x&amp;y\"><Item>1</Item><Item>维特</Item></Extension>");
  ASSERT_TRUE(WriteUtf8File(ProfileFile(), stored));

  Tick();
  ASSERT_TRUE(UserProfile.Assigned());
  ASSERT_GT(UserProfile.ChargeLogs().Count(), 0);  // the demo profile has a charge log
  // What the agent should hold afterwards: its text (with the revision it handed out)
  // with only these two changes.
  TXMLUserInfoType expected = ParseUserInfo(UserProfile.XML());
  EXPECT_EQ(CompactXml(ParseUserInfo(stored).XML()),
            CompactXml(std::regex_replace(expected.XML(), std::wregex(L" Revision=\"[0-9A-F]+\""), L"")));
  UserProfile.SetUserName(L"李四 & <新>");
  MarkUserProfileModified(true);

  expected.SetUserName(L"李四 & <新>");
  expected.SetModified(true);

  main->btnOK.Click();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(CompactXml(ParseUserInfo(StoredUserProfile()).XML()), CompactXml(expected.XML()));
}

TEST_F(CommitWithAgentTest, ARefusedProfileKeepsTheEditsAndShowsTheAgentsText) {
  Tick();
  ASSERT_TRUE(UserProfile.Assigned());
  const std::wstring before = StoredUserProfile();
  // A changed e-mail needs an accepted security answer first: the agent refuses.
  UserProfile.SetEmail(L"someone@example.org");
  MarkUserProfileModified(true);
  main->btnOK.Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind(L"更新错误：", 0), 0u);
  EXPECT_GT(messages[0].size(), std::wstring(L"更新错误：").size());
  EXPECT_NE(main->Handle(), nullptr);
  EXPECT_TRUE(UserProfile.Modified());
  EXPECT_EQ(StoredUserProfile(), before);
}

}  // namespace
