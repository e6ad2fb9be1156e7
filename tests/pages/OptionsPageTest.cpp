// The options page inside a real main window over the fake agent, with the machine's
// start-up settings in a sandbox: what it shows of the local settings and the
// application file's servers, what each change writes, the background-service boxes
// with and without a user, and the keyboard.
#include <gtest/gtest.h>

#include "agent/SvcObj.h"
#include "agent/UnitDef.h"
#include "pages/frameOptions.h"
#include "profile/XmlDom.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/StartUpSandbox.h"
#include "toolkit/Application.h"

namespace {

std::wstring Settings(const std::wstring& host, int heartBeat, bool autoConnect = true) {
  return L"<LocalSetting><Host>" + host + L"</Host><HeartBeat>" + std::to_wstring(heartBeat) +
         L"</HeartBeat><AutoConnect>" + (autoConnect ? L"True" : L"False") +
         L"</AutoConnect></LocalSetting>";
}

class OptionsPageTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    agent.localSettingsXml = Settings(L"ns2.example", 600);
    MainWindowFixture::SetUp();
    AppFile = TXMLApplicationType(LoadXmlText(
        L"<Application><Hosts><Host>ns1.example</Host><Host>ns2.example</Host>"
        L"<Host>ns3.example</Host></Hosts></Application>",
        L"Application"));
  }
  void TearDown() override {
    MainWindowFixture::TearDown();
    AppFile = {};
  }

  TPageOptions& Open() {
    main->btnOptions.SetChecked(true);
    auto* page = Page<TPageOptions>(L"PageOptions");
    EXPECT_NE(page, nullptr);
    return *page;
  }
  void Apply() { main->btnOKClick(main->btnApply); }

  vt::test::TStartUpSandbox sandbox;
};

TEST_F(OptionsPageTest, ShowsTheServersAndTheStoredSettingsAndMarksNothing) {
  HoldProfile();
  TPageOptions& page = Open();
  EXPECT_EQ(page.cmbServer.Items(),
            (std::vector<std::wstring>{L"ns1.example", L"ns2.example", L"ns3.example"}));
  EXPECT_EQ(page.cmbServer.Text(), L"ns2.example");
  EXPECT_TRUE(page.chkAutoConnect.Checked());
  EXPECT_EQ(page.tbSpeed.Position(), 1);
  EXPECT_TRUE(page.GroupServer.Enabled() && page.GroupSpeed.Enabled());
  EXPECT_FALSE(page.chkAutoRun.Checked() || page.chkService.Checked());
  EXPECT_FALSE(page.chkService.Enabled());

  const std::pair<int, int> shown[] = {{450, 2}, {451, 1}, {750, 1}, {751, 0}, {900, 0},
                                       {1, 2},   {700, 1}};
  for (auto [heartBeat, position] : shown) {
    LocalSettings.SetHeartBeat(heartBeat);
    page.Refresh();
    EXPECT_EQ(page.tbSpeed.Position(), position) << heartBeat;
  }
  for (int outside : {901, 0, -5}) {
    LocalSettings.SetHeartBeat(outside);
    page.Refresh();
    EXPECT_EQ(page.tbSpeed.Position(), 1) << outside;  // where it stood
  }
  LocalSettings.SetHeartBeat(700);
  page.Refresh();
  Tick();
  EXPECT_FALSE(LocalSettingsModified);
  EXPECT_FALSE(main->btnApply.Enabled());
  EXPECT_EQ(LocalSettings.HeartBeat(), 700);  // shown only, never rewritten
}

TEST_F(OptionsPageTest, EachChangeWritesEveryFieldAndAnUnlistedHostIsKept) {
  agent.localSettingsXml = Settings(L"private.example", 700);
  HoldProfile();
  TPageOptions& page = Open();
  EXPECT_EQ(page.cmbServer.ItemIndex(), -1);

  Press(page.chkAutoConnect);
  EXPECT_FALSE(LocalSettings.AutoConnect());
  EXPECT_EQ(LocalSettings.HeartBeat(), 600);  // all fields together
  EXPECT_EQ(LocalSettings.Host(), L"private.example");
  EXPECT_TRUE(LocalSettingsModified);

  Key(page.tbSpeed, VK_LEFT);
  EXPECT_EQ(LocalSettings.HeartBeat(), 900);
  Key(page.tbSpeed, VK_RIGHT);
  EXPECT_EQ(LocalSettings.HeartBeat(), 600);
  Key(page.tbSpeed, VK_RIGHT);
  EXPECT_EQ(LocalSettings.HeartBeat(), 300);
  Key(page.cmbServer, VK_DOWN);
  EXPECT_EQ(LocalSettings.Host(), L"ns1.example");

  Tick();
  EXPECT_TRUE(main->btnApply.Enabled());
  Apply();
  ASSERT_EQ(agent.putAppProfiles.size(), 1u);
  const TXMLLocalSettingType sent = ParseLocalSetting(agent.putAppProfiles[0]);
  EXPECT_EQ(sent.Host(), L"ns1.example");
  EXPECT_EQ(sent.HeartBeat(), 300);
  EXPECT_FALSE(sent.AutoConnect());
  EXPECT_TRUE(sandbox.Starts(1, 500).empty());  // the start-up boxes were not touched
  EXPECT_EQ(sandbox.RunValue(), std::nullopt);
}

TEST_F(OptionsPageTest, WithoutAUserOnlyTheBackgroundServiceGroupWorks) {
  agent.userState = 1;
  Tick();
  TPageOptions& page = Open();
  EXPECT_EQ(page.cmbServer.Count(), 3);
  EXPECT_EQ(page.cmbServer.ItemIndex(), -1);
  EXPECT_FALSE(page.GroupServer.Enabled());
  EXPECT_FALSE(page.GroupSpeed.Enabled());
  EXPECT_TRUE(page.BGGroupBox3.Enabled());
  EXPECT_TRUE(page.chkAutoRun.Focused());  // not the box in the disabled group
  page.tbSpeed.SetPosition(2);  // handlers detached: nothing is marked
  EXPECT_FALSE(LocalSettingsModified);

  Press(page.chkAutoRun);
  EXPECT_TRUE(page.chkService.Enabled());
  Press(page.chkService);
  EXPECT_TRUE(SvcObj->AutoRun && SvcObj->RunAsService);
  Press(page.chkAutoRun);  // off again: the service box follows in the same click
  EXPECT_FALSE(page.chkService.Checked());
  EXPECT_FALSE(page.chkService.Enabled());
  EXPECT_FALSE(SvcObj->AutoRun || SvcObj->RunAsService);

  Press(page.chkAutoRun);
  Tick();
  EXPECT_TRUE(main->btnApply.Enabled());
  Apply();
  EXPECT_EQ(sandbox.Starts(1), std::vector<std::wstring>{L"-AutoRun"});
  EXPECT_EQ(sandbox.RunValue(), std::nullopt);  // the agent's switch writes it, not the program
  EXPECT_TRUE(agent.putAppProfiles.empty());
  sandbox.SetRunValue(L"\"" + sandbox.AgentPath() + L"\"");  // as the real switch would

  // Signing in fills and enables the other groups; the boxes show the system's state.
  agent.userState = 2;
  Tick();
  EXPECT_TRUE(page.GroupServer.Enabled() && page.GroupSpeed.Enabled());
  EXPECT_EQ(page.cmbServer.Text(), L"ns2.example");
  EXPECT_TRUE(page.chkAutoRun.Checked());
  EXPECT_TRUE(page.chkService.Enabled());
}

// The consent prompt declined (here: the switch cannot start, no install folder being
// recorded): the user is told, the machine keeps its start-up, OK keeps the window
// open so that the message shows, and the rest of the commit still goes out.
TEST_F(OptionsPageTest, ADeclinedConsentChangesNoStartUpButLosesNothingElse) {
  HoldProfile();
  TPageOptions& page = Open();
  Key(page.tbSpeed, VK_RIGHT);  // 300
  Press(page.chkAutoRun);
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tavrinel\\Veltrano", L"Install Path");
  main->btnOK.Click();
  EXPECT_EQ(messages, std::vector<std::wstring>{kStartUpNotChangedText});
  EXPECT_NE(main->Handle(), nullptr);  // not closed
  ASSERT_EQ(agent.putAppProfiles.size(), 1u);
  EXPECT_EQ(ParseLocalSetting(agent.putAppProfiles[0]).HeartBeat(), 300);
  EXPECT_TRUE(sandbox.Starts(1, 300).empty());
  page.Refresh();
  EXPECT_FALSE(page.chkAutoRun.Checked());  // the machine's state again
}

TEST_F(OptionsPageTest, TabGoesThroughTheSpeedTheServerAndTheServiceGroups) {
  HoldProfile();
  TPageOptions& page = Open();
  Press(page.chkAutoRun);  // so that the service box takes the focus too
  TControl* const stops[] = {&page.tbSpeed, &page.cmbServer, &page.chkAutoConnect,
                             &page.chkAutoRun, &page.chkService};
  TControl* at = &page.tbSpeed;
  std::vector<std::wstring> order;
  for (int i = 0; i < 4 && at; ++i) {
    Key(*at, VK_TAB);
    at = nullptr;
    for (TControl* stop : stops)
      if (stop->Handle() == GetFocus()) at = stop;
    order.push_back(at ? at->Name() : L"?");
  }
  // From the service box the focus goes on to the main window's buttons.
  EXPECT_EQ(order, (std::vector<std::wstring>{L"cmbServer", L"chkAutoConnect", L"chkAutoRun",
                                              L"chkService"}));
}

}  // namespace
