// The DNS settings pages, their online and offline settings and the redirection
// wizard inside a real main window over the fake agent, with the domain list file in a
// scratch working directory: the name split over the suffix list and what typing
// stores, the cache time, the snapshot view, the type codes and fields of both
// settings pages (by mouse and by keyboard), and the wizard's composition and return.
#include <gtest/gtest.h>

#include "agent/UnitDef.h"
#include "pages/frameDnsPro.h"
#include "pages/frameDnsStd.h"
#include "pages/frameURL.h"
#include "tests/support/HeldKeys.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestPaths.h"
#include "profile/XmlValue.h"

namespace {

constexpr wchar_t kNotice[] =
    L"注意：较长的缓存时间值虽然会加快域名的解析速度，\n但也导致域名在DNS中的更新变得迟钝。\n(推荐设为1分钟)";

std::wstring Profile(const std::wstring& domain, int ttl = 600, int onlineType = 11, int offlineType = 23) {
  return L"<UserInfo Modified=\"False\"><OnlineType>" + std::to_wstring(onlineType) +
         L"</OnlineType><OnlineFixedIP>" + std::to_wstring(IPv4FromOctets(192, 168, 1, 1)) +
         L"</OnlineFixedIP><OnlineURL>http://old.example</OnlineURL><OfflineType>" +
         std::to_wstring(offlineType) + L"</OfflineType><OfflineIP>" + std::to_wstring(IPv4FromOctets(10, 0, 0, 1)) +
         L"</OfflineIP><OfflineURL>http://off.example</OfflineURL><OfflineHost>other.example</OfflineHost><TTL>" +
         std::to_wstring(ttl) + L"</TTL><Domain>" + domain + L"</Domain></UserInfo>";
}

class DnsPagesTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    oldDir_ = old;
    // No domain list file to begin with: the standard page fetches it.
    SetCurrentDirectoryW(vt::test::ScratchDir(L"DnsPages").c_str());
    agent.domainList = {L"veltrano.net", L"net", L"vt-home.net"};
    MainWindowFixture::SetUp();
  }
  void TearDown() override {
    MainWindowFixture::TearDown();
    SetCurrentDirectoryW(oldDir_.c_str());
  }
  void OpenDns(const std::wstring& profile, long serviceType) {
    agent.userProfileXml = profile;
    agent.serviceType = serviceType;
    HoldProfile();
    main->btnDns.Click();
  }
  TPageDnsStd& Std() { return *Page<TPageDnsStd>(L"PageDnsStd"); }
  TPageDnsPro& Pro() { return *Page<TPageDnsPro>(L"PageDnsPro"); }
  TPageURL& Wizard() { return *Page<TPageURL>(L"PageURL"); }
  // True when `upper` lies above `lower` among their siblings.
  static bool Above(const TControl& upper, const TControl& lower) {
    for (HWND w = GetWindow(upper.Handle(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
      if (w == lower.Handle()) return true;
    return false;
  }
  static void SelectTab(TTabSet& tabs, int index) {
    const RECT tab = tabs.TabRect(index);
    Click(tabs, (tab.left + tab.right) / 2, 10);
  }

 private:
  std::wstring oldDir_;
};

TEST_F(DnsPagesTest, TheStandardPageSplitsTheNameAndNeverStoresOneWithoutASuffix) {
  OpenDns(Profile(L"home.veltrano.net"), 1);
  TPageDnsStd& page = Std();
  ASSERT_TRUE(IsCurrent(page));
  EXPECT_EQ(agent.CallCount(L"GetDomainList"), 1) << "the missing list is fetched from the agent";
  EXPECT_EQ(page.comboxDomain.Items(), agent.domainList);
  EXPECT_EQ(page.edtYourName.Text(), L"home") << "the first suffix that fits wins";
  EXPECT_EQ(page.comboxDomain.Text(), L"veltrano.net");
  EXPECT_EQ(page.cmbTTL.Text(), L"10");
  EXPECT_EQ(GetFocus(), page.edtYourName.Handle());
  EXPECT_FALSE(UserProfile.Modified());

  Retype(page.edtYourName, L"abc");
  EXPECT_EQ(UserProfile.Domain(), L"abc.veltrano.net");
  Choose(page.comboxDomain, 2);
  EXPECT_EQ(UserProfile.Domain(), L"abc.vt-home.net");
  Retype(page.edtYourName, L"");
  EXPECT_EQ(UserProfile.Domain(), L".vt-home.net");
  EXPECT_TRUE(messages.empty());

  // With the short suffix first the label keeps its inner full stop.
  agent.domainList = {L"net", L"veltrano.net"};
  RefreshDomainList();
  agent.userProfileXml = Profile(L"home.veltrano.net");
  HoldProfile();
  EXPECT_EQ(page.edtYourName.Text(), L"home.veltrano");
  EXPECT_EQ(page.comboxDomain.Text(), L"net");

  // A name in another case splits at no suffix: the label shows empty, and typing
  // keeps the stored name until a suffix is chosen.
  agent.userProfileXml = Profile(L"home.VELTRANO.NET");
  HoldProfile();
  EXPECT_EQ(page.edtYourName.Text(), L"");
  EXPECT_EQ(page.comboxDomain.ItemIndex(), -1);
  Type(page.edtYourName, L"web");
  EXPECT_EQ(UserProfile.Domain(), L"home.VELTRANO.NET");
  EXPECT_FALSE(UserProfile.Modified());
  EXPECT_EQ(page.edtYourName.Text(), L"web");
  Choose(page.comboxDomain, 1);
  EXPECT_EQ(UserProfile.Domain(), L"web.veltrano.net");
}

TEST_F(DnsPagesTest, TheCacheTimeIsStoredInSecondsWithTheNoticeOnlyWhenTheUserPicksIt) {
  OpenDns(Profile(L"home.veltrano.net", 90), 1);
  TPageDnsStd& page = Std();
  EXPECT_EQ(page.cmbTTL.Text(), L"1") << "seconds / 60";
  EXPECT_TRUE(messages.empty());
  Choose(page.cmbTTL, 3);
  EXPECT_EQ(UserProfile.TTL(), 1800);
  EXPECT_EQ(messages, std::vector<std::wstring>{kNotice});
  EXPECT_TRUE(UserProfile.Modified());

  agent.serviceType = 3;
  main->btnUser.Click();
  main->btnDns.Click();
  ASSERT_TRUE(IsCurrent(Pro()));
  EXPECT_EQ(Pro().cmbTTL.Text(), L"30") << "the held profile keeps the unsent edit";
  Choose(Pro().cmbTTL, 5);
  EXPECT_EQ(UserProfile.TTL(), 7200);
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(DnsPagesTest, WithoutAProfileThePagesAreGreyAndStoreNothing) {
  agent.userState = 1;
  Tick();
  main->btnDns.Click();
  TPageDnsStd& page = Std();
  EXPECT_FALSE(page.Enabled());
  EXPECT_EQ(page.edtYourName.Text(), L"YourName");
  EXPECT_FALSE(page.edtYourName.Enabled() || page.tabDnsSettings.Enabled());
  EXPECT_EQ(agent.CallCount(L"GetDomainList"), 0);
  TPageOnlineSettings& online = *page.SubPages().Online();
  EXPECT_FALSE(online.Enabled());
  EXPECT_FALSE(online.rbCurrentIP.Enabled());
  EXPECT_FALSE(online.edtURL.Enabled());
  EXPECT_EQ(agent.CallCount(L"GetServiceType"), 0);
}

TEST_F(DnsPagesTest, TheSnapshotGreysTheNameTheSettingsAndTheTabsEvenAfterAPoll) {
  OpenDns(Profile(L"home.veltrano.net"), 1);
  Std().btnSnapShot.Click();
  TPageDnsPro& pro = Pro();
  ASSERT_TRUE(IsCurrent(pro));
  EXPECT_EQ(pro.edtInterDomain.Text(), L"home.veltrano.net");
  EXPECT_EQ(pro.cmbTTL.Text(), L"10");
  EXPECT_TRUE(pro.btnBack.Visible());
  EXPECT_EQ(GetFocus(), pro.btnBack.Handle());
  // Back lies on the name's group and must be above it to be seen and clicked.
  EXPECT_TRUE(Above(pro.btnBack, pro.GroupDomain));
  const auto greyed = [&] {
    TPageOnlineSettings& online = *pro.SubPages().Online();
    return !pro.GroupDomain.Enabled() && !pro.edtInterDomain.Enabled() && !pro.tabDnsSettings.Enabled() &&
           !online.Enabled() && !online.rbFixedIP.Enabled() && pro.btnBack.Enabled();
  };
  EXPECT_TRUE(greyed());
  HoldProfile();  // the poll refreshes the page on show
  EXPECT_TRUE(greyed());

  {
    THeldKeys ctrl{VK_CONTROL};
    Key(pro.btnBack, VK_TAB);
  }
  EXPECT_EQ(pro.tabDnsSettings.TabIndex(), 0) << "the greyed tabs do not switch by key either";
  Key(pro.btnBack, VK_ESCAPE);
  EXPECT_TRUE(IsCurrent(Std()));
  agent.serviceType = 3;
  main->btnUser.Click();
  main->btnDns.Click();
  EXPECT_FALSE(pro.btnBack.Visible());
  EXPECT_TRUE(pro.SubPages().Online()->rbFixedIP.Enabled());
  Retype(pro.edtInterDomain, L" my site ");
  EXPECT_EQ(UserProfile.Domain(), L" my site ");
  Retype(pro.edtInterDomain, L"");
  EXPECT_EQ(UserProfile.Domain(), L"");
}

TEST_F(DnsPagesTest, OnlineTypesFixedAddressAndTemplatesAreWrittenApart) {
  OpenDns(Profile(L"home.veltrano.net", 600, 15), 3);
  TPageOnlineSettings& online = *Pro().SubPages().Online();
  EXPECT_TRUE(online.rbLAN.Checked());
  EXPECT_FALSE(online.rbLAN.Enabled()) << "the LAN choice needs the intranet service";
  EXPECT_EQ(online.edtFixedIP.IPString(), L"192.168.1.1");
  EXPECT_EQ(online.edtURL.Text(), L"http://old.example");
  EXPECT_FALSE(UserProfile.Modified());

  Press(online.rbFixedIP);
  EXPECT_EQ(UserProfile.OnlineType(), 12);
  Press(online.rbLAN);
  EXPECT_EQ(UserProfile.OnlineType(), 12);
  Press(online.rbCurrentIP);
  Retype(online.edtFixedIP.Field(3), L"7");
  EXPECT_EQ(UserProfile.OnlineFixedIP(), IPv4FromOctets(192, 168, 1, 7));
  EXPECT_EQ(UserProfile.OnlineType(), 11) << "a field is filled in while another type stays";
  Choose(online.cmbTemplates, 1);
  EXPECT_EQ(online.edtURL.Text(), L"http://<Online IP>:8080");
  EXPECT_EQ(UserProfile.OnlineURL(), L"http://<Online IP>:8080");
  EXPECT_EQ(UserProfile.OnlineType(), 11);

  // The intranet service offers the LAN choice.
  agent.serviceType = 5;
  HoldProfile();
  EXPECT_TRUE(online.rbLAN.Enabled());
  Press(online.rbURL);
  EXPECT_EQ(UserProfile.OnlineType(), 13);
  Press(online.rbLAN);
  EXPECT_EQ(UserProfile.OnlineType(), 15);
}

// An agent that cannot tell the service type is reported once; the page is loaded all
// the same, its edits are stored, and the LAN choice of the account before is withdrawn.
TEST_F(DnsPagesTest, AFailingServiceTypeIsReportedOnceAndLeavesTheSettingsUsable) {
  OpenDns(Profile(L"office.vt-home.net", 600, 15), 5);
  TPageOnlineSettings& online = *Pro().SubPages().Online();
  ASSERT_TRUE(online.rbLAN.Enabled());
  agent.userProfileXml = Profile(L"home.veltrano.net", 600, 12);
  agent.FailOn(L"GetServiceType", L"服务器忙", 1);
  HoldProfile();
  EXPECT_EQ(messages, std::vector<std::wstring>{L"服务器忙"});
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(online.rbFixedIP.Checked());
  EXPECT_FALSE(online.rbLAN.Enabled());
  EXPECT_TRUE(Pro().Enabled() && online.Enabled());
  EXPECT_EQ(GetFocus(), Pro().edtInterDomain.Handle());
  Retype(online.edtURL, L"http://new.example");
  EXPECT_EQ(UserProfile.OnlineURL(), L"http://new.example");
}

TEST_F(DnsPagesTest, TheOfflineTabKeepsItsPageAndEditsAcrossSwitchesAndVisits) {
  OpenDns(Profile(L"home.veltrano.net", 600, 11, 0), 1);
  TPageDnsStd& page = Std();
  SelectTab(page.tabDnsSettings, 1);
  TPageOfflineSettings& offline = *page.SubPages().Offline();
  ASSERT_TRUE(offline.Visible());
  EXPECT_FALSE(page.SubPages().Online()->Visible());
  EXPECT_EQ(offline.CheckedType(), 0) << "an unknown code checks nothing";
  EXPECT_EQ(offline.edtHost.Text(), L"other.example");
  EXPECT_EQ(offline.edtOfflineIP.IPString(), L"10.0.0.1");
  Retype(offline.edtHost, L"backup.example");
  EXPECT_EQ(UserProfile.OfflineType(), 0);
  Press(offline.rbHost);
  EXPECT_EQ(UserProfile.OfflineType(), 25);
  Retype(offline.edtOfflineIP.Field(0), L"172");
  Retype(offline.edtURL, L"http://away.example");

  SelectTab(page.tabDnsSettings, 0);
  Press(page.SubPages().Online()->rbDetail);
  SelectTab(page.tabDnsSettings, 1);
  EXPECT_EQ(offline.edtHost.Text(), L"backup.example");
  main->btnUser.Click();
  main->btnDns.Click();
  EXPECT_TRUE(offline.Visible()) << "the offline tab survives leaving the page";
  EXPECT_EQ(page.tabDnsSettings.TabIndex(), 1);
  EXPECT_EQ(UserProfile.OfflineHost(), L"backup.example");
  EXPECT_EQ(UserProfile.OfflineIP(), IPv4FromOctets(172, 0, 0, 1));
  EXPECT_EQ(UserProfile.OfflineURL(), L"http://away.example");
  EXPECT_EQ(UserProfile.OnlineType(), 14);
  // The tab set stays above the settings pages and the frame it overlaps.
  EXPECT_TRUE(Above(page.tabDnsSettings, offline));
  EXPECT_TRUE(Above(page.tabDnsSettings, page.beFrame));

  // Ctrl+Tab and Ctrl+Shift+Tab switch as a click does, and the focus goes along into
  // the settings shown instead of staying on a hidden control.
  TPageOnlineSettings& online = *page.SubPages().Online();
  {
    THeldKeys ctrl{VK_CONTROL};
    Key(offline.edtHost, VK_TAB);
  }
  EXPECT_EQ(page.tabDnsSettings.TabIndex(), 0);
  EXPECT_TRUE(online.Visible() && !offline.Visible());
  EXPECT_TRUE(IsChild(online.Handle(), GetFocus()));
  {
    THeldKeys ctrlShift{VK_CONTROL, VK_SHIFT};
    Key(online.edtURL, VK_TAB);
  }
  EXPECT_EQ(page.tabDnsSettings.TabIndex(), 1);
  EXPECT_TRUE(IsChild(offline.Handle(), GetFocus()));
  EXPECT_EQ(UserProfile.OfflineHost(), L"backup.example");
}

TEST_F(DnsPagesTest, TheWizardComposesFromItsPartsAndOkStoresTheUrlAlone) {
  OpenDns(Profile(L"home.veltrano.net"), 1);
  Press(Std().SubPages().Online()->btnWizard);
  TPageURL& wizard = Wizard();
  ASSERT_TRUE(IsCurrent(wizard));
  EXPECT_EQ(wizard.cmbServer.Items(), (std::vector<std::wstring>{L"My Server!", L"Domain...", L"IP Address..."}));
  EXPECT_EQ(wizard.edtURL.Text(), L"");
  EXPECT_EQ(GetFocus(), wizard.cmbProtocol.Handle());

  Choose(wizard.cmbProtocol, 0);
  Choose(wizard.cmbServer, 0);
  Retype(wizard.edtPort, L"08a0-80");  // the key filter keeps digits only here
  EXPECT_EQ(wizard.edtPort.Text(), L"08080");
  Type(wizard.edtDir, L"web/");
  Type(wizard.edtFile, L"index.htm");
  EXPECT_EQ(wizard.edtURL.Text(), L"http://<Online IP>:8080/web/index.htm");

  struct TCase {
    int protocol, server;
    const wchar_t *other, *host, *port, *dir, *file, *url;
  } cases[] = {
      {2, 2, L"", L"10.0.0.5", L"0", L"", L"", L"ftp://10.0.0.5"},
      {3, 1, L"gopher", L"srv.example", L"0080", L"/pub", L"", L"gopher://srv.example:80//pub"},
      {3, 1, L"", L"", L"", L"a", L"b.txt", L":///a/b.txt"},
      {-1, 1, L"", L"x.example", L"1.5", L"", L"", L"x.example"},
      {-1, -1, L"", L"", L"21", L"", L"", L":21"},
  };
  for (const TCase& c : cases) {
    wizard.Refresh();
    if (c.protocol >= 0) Choose(wizard.cmbProtocol, c.protocol);
    if (c.protocol == 3) Retype(wizard.edtProtocol, c.other);
    if (c.server >= 0) Choose(wizard.cmbServer, c.server);
    if (c.server == 1) Retype(wizard.edtDomain, c.host);
    if (c.server == 2) wizard.edtIP.SetIPString(c.host);
    wizard.edtPort.SetText(c.port);
    wizard.edtDir.SetText(c.dir);
    wizard.edtFile.SetText(c.file);
    EXPECT_EQ(wizard.edtURL.Text(), c.url);
    EXPECT_EQ(wizard.edtProtocol.Visible(), c.protocol == 3);
    EXPECT_EQ(wizard.edtDomain.Visible(), c.server == 1);
    EXPECT_EQ(wizard.edtIP.Visible(), c.server == 2);
  }

  Key(wizard.edtURL, VK_RETURN);
  EXPECT_TRUE(IsCurrent(Std()));
  EXPECT_EQ(UserProfile.OnlineURL(), L":21");
  EXPECT_EQ(UserProfile.OnlineType(), 11);
  EXPECT_EQ(Std().SubPages().Online()->edtURL.Text(), L":21");

  // The reset of a typed scheme composes with the hosts the list still holds: those of
  // the online use before, also when the wizard now opens for the offline URL.
  Press(Std().SubPages().Online()->btnWizard);
  Choose(wizard.cmbProtocol, 3);
  Type(wizard.edtProtocol, L"x");
  Choose(wizard.cmbServer, 0);
  EXPECT_EQ(wizard.edtURL.Text(), L"x://<Online IP>");
  wizard.btnCancel.Click();
  SelectTab(Std().tabDnsSettings, 1);
  Press(Std().SubPages().Offline()->btnWizard);
  EXPECT_EQ(wizard.edtURL.Text(), L"<Online IP>");
}

TEST_F(DnsPagesTest, TheWizardKeepsItsLastUrlAcrossOpeningsAndCancelWritesNothing) {
  OpenDns(Profile(L"home.veltrano.net"), 3);
  SelectTab(Pro().tabDnsSettings, 1);
  Press(Pro().SubPages().Offline()->btnWizard);
  TPageURL& wizard = Wizard();
  EXPECT_EQ(wizard.cmbServer.Items(), (std::vector<std::wstring>{L"Domain...", L"IP Address..."}));
  Choose(wizard.cmbProtocol, 1);
  Choose(wizard.cmbServer, 0);
  Type(wizard.edtDomain, L"away.example");
  EXPECT_EQ(wizard.edtURL.Text(), L"https://away.example");
  Key(wizard.cmbProtocol, VK_ESCAPE);
  EXPECT_TRUE(IsCurrent(Pro()));
  EXPECT_EQ(UserProfile.OfflineURL(), L"http://off.example");
  EXPECT_FALSE(UserProfile.Modified());

  // Typed parts reset to nothing on the next opening; chosen ones leave the URL.
  Press(Pro().SubPages().Offline()->btnWizard);
  EXPECT_EQ(wizard.edtURL.Text(), L"");
  Choose(wizard.cmbProtocol, 0);
  Choose(wizard.cmbServer, 1);
  Retype(wizard.edtIP.Field(3), L"9");
  EXPECT_EQ(wizard.edtURL.Text(), L"http://0.0.0.9");
  wizard.btnCancel.Click();
  Press(Pro().SubPages().Offline()->btnWizard);
  EXPECT_EQ(wizard.edtURL.Text(), L"") << "a changed address is a typed part too";
  Choose(wizard.cmbProtocol, 0);
  wizard.btnCancel.Click();
  Press(Pro().SubPages().Offline()->btnWizard);
  EXPECT_EQ(wizard.edtURL.Text(), L"http://");
  wizard.btnOK.Click();
  EXPECT_EQ(UserProfile.OfflineURL(), L"http://");
  EXPECT_EQ(UserProfile.OfflineType(), 23);
  EXPECT_EQ(Pro().SubPages().Offline()->edtURL.Text(), L"http://");
}

// Every type of both settings pages is chosen by keyboard: Tab reaches each radio
// button in the page's tab order without choosing it, Space chooses the focused one,
// and the arrow keys go round the usable buttons of the group, over the fields between
// them, choosing as they go. A press of the mouse still chooses at once.
TEST_F(DnsPagesTest, EveryTypeIsChosenByKeyboardOnBothSettingsPages) {
  OpenDns(Profile(L"home.veltrano.net", 600, 15, 25), 3);  // the LAN choice stored, not offered
  TPageOnlineSettings& online = *Pro().SubPages().Online();
  online.rbCurrentIP.SetFocus();
  std::vector<HWND> radios;
  for (int i = 0; i < 12 && GetFocus() != online.btnWizard.Handle(); ++i) {  // the page's last tab stop
    KeyAtFocus(VK_TAB);
    for (TControl* rb : {&online.rbCurrentIP, &online.rbLAN, &online.rbFixedIP, &online.rbDetail, &online.rbURL})
      if (GetFocus() == rb->Handle()) radios.push_back(GetFocus());
  }
  EXPECT_EQ(GetFocus(), online.btnWizard.Handle());
  EXPECT_EQ(radios, (std::vector<HWND>{online.rbFixedIP.Handle(), online.rbDetail.Handle(), online.rbURL.Handle()}));
  EXPECT_EQ(UserProfile.OnlineType(), 15) << "Tab chooses nothing";
  EXPECT_FALSE(UserProfile.Modified());

  const auto walk = [&](TSettingsPage& page, std::initializer_list<WPARAM> keys) {
    std::vector<int> stored;
    for (WPARAM key : keys) {
      KeyAtFocus(key);
      stored.push_back(page.CheckedType());
      EXPECT_TRUE(IsChild(page.Handle(), GetFocus()));
      EXPECT_EQ(SendMessageW(GetFocus(), BM_GETCHECK, 0, 0), BST_CHECKED) << "the focus goes with the choice";
    }
    return stored;
  };
  online.rbDetail.SetFocus();
  EXPECT_EQ(walk(online, {VK_SPACE, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_LEFT}),
            (std::vector<int>{14, 13, 11, 12, 14, 12, 11}));
  EXPECT_EQ(UserProfile.OnlineType(), 11);

  {
    THeldKeys ctrl{VK_CONTROL};
    KeyAtFocus(VK_TAB);
  }
  TPageOfflineSettings& offline = *Pro().SubPages().Offline();
  ASSERT_TRUE(offline.Visible());
  EXPECT_EQ(GetFocus(), offline.rbDefault.Handle());
  EXPECT_EQ(UserProfile.OfflineType(), 25) << "the focus arriving chooses nothing";
  EXPECT_EQ(walk(offline, {VK_SPACE, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_UP}),
            (std::vector<int>{23, 25, 21, 24, 22, 23, 22}));
  EXPECT_EQ(UserProfile.OfflineType(), 22);

  Click(offline.rbHost);
  EXPECT_EQ(UserProfile.OfflineType(), 25);
  EXPECT_EQ(GetFocus(), offline.rbHost.Handle());
}

}  // namespace
