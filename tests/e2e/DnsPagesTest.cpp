// The DNS settings pages in the real program against the real agent: on the standard
// demo account, with no domain list file yet, the label and the suffix changed and
// applied; on the professional account a fixed online address chosen and the offline
// host changed across switches of the tabs; a URL composed in the redirection wizard.
// Each is checked in the profile the agent stored.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "tests/e2e/ProgramFixture.h"
#include "tests/support/AgentData.h"
#include "tests/support/TestPaths.h"
#include "tests/support/TestXml.h"
#include "profile/XmlValue.h"

namespace {

using namespace e2e;
using namespace vt::test;

class DnsPagesTest : public ProgramTest {
 protected:
  HWND OpenDns(const wchar_t* pageClass) { return OpenPage(main, L"域名设置", pageClass); }
  // The professional account's DNS page with its online settings loaded.
  void OpenProOnline() {
    ASSERT_NO_FATAL_FAILURE(Start(kDemoProId));
    page = OpenDns(L"TPageDnsPro");
    ASSERT_NE(page, nullptr);
    online = ShownPage(L"TPageOnlineSettings", page);
    ASSERT_NE(online, nullptr);
    ASSERT_NE(Find(online, L"Edit", L"http://<Online IP>:8080"), nullptr);
  }
  HWND page = nullptr, online = nullptr;
};

TEST_F(DnsPagesTest, TheStandardAccountChangesItsLabelAndSuffix) {
  // No suffix list yet: the page fetches it from the agent.
  DeleteFileW((ProductDir() + L"TDNL.kvf").c_str());
  Start(kDemoStdId);
  page = OpenDns(L"TPageDnsStd");
  ASSERT_NE(page, nullptr);
  HWND label = Find(page, L"Edit", L"demo-std");
  HWND suffix = Find(page, L"ComboBox", L"veltrano.net");
  ASSERT_NE(label, nullptr);
  ASSERT_NE(suffix, nullptr);
  PressKey(suffix, VK_DOWN);
  ASSERT_TRUE(WaitFor([&] { return WindowText(suffix) == L"veltrano.org"; }));
  ASSERT_TRUE(TypeText(label, L"family-album"));
  Apply();
  EXPECT_EQ(StoredProfile(kDemoStdId).Domain(), L"family-album.veltrano.org");
}

TEST_F(DnsPagesTest, AFixedOnlineAddressAndTheOfflineHostAreStoredAcrossTabSwitches) {
  ASSERT_NO_FATAL_FAILURE(OpenProOnline());
  Click(FindChild(online, L"Button", L"指定域名在线 IP 地址："));
  const std::vector<HWND> octets = FindChildren(FindChild(online, L"TBGIPEdit", L""), L"Edit");
  ASSERT_EQ(octets.size(), 4u);
  const wchar_t* typed[] = {L"203", L"0", L"113", L"9"};
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(TypeText(octets[i], typed[i]));

  ChooseTab(page, 1);
  HWND offline = ShownPage(L"TPageOfflineSettings", page);
  ASSERT_NE(offline, nullptr);
  HWND host = Find(offline, L"Edit", L"backup.veltrano.net");
  ASSERT_NE(host, nullptr);
  ASSERT_TRUE(TypeText(host, L"mirror.veltrano.net"));
  ChooseTab(page, 0);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(online) && !IsWindowVisible(offline); }));
  ChooseTab(page, 1);
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(offline) != FALSE; }));
  EXPECT_EQ(WindowText(host), L"mirror.veltrano.net");

  Apply();
  const TXMLUserInfoType stored = StoredProfile();
  EXPECT_EQ(stored.OnlineType(), 12);
  EXPECT_EQ(stored.OnlineFixedIP(), IPv4FromOctets(203, 0, 113, 9));
  EXPECT_EQ(stored.OfflineHost(), L"mirror.veltrano.net");
  EXPECT_EQ(stored.OfflineType(), 23);
}

TEST_F(DnsPagesTest, AUrlComposedInTheWizardIsStoredAndTheTypeStays) {
  ASSERT_NO_FATAL_FAILURE(OpenProOnline());
  Click(FindChild(online, L"Button", L"向导..."));
  HWND wizard = ShownPage(L"TPageURL");
  ASSERT_NE(wizard, nullptr);
  const std::vector<HWND> lists = FindChildren(wizard, L"ComboBox");  // protocol, host
  ASSERT_EQ(lists.size(), 2u);
  PressKey(lists[0], VK_DOWN);  // HTTP
  PressKey(lists[1], VK_DOWN);  // My Server!
  // Protocol, domain, the address's four fields, port, folder, file, URL.
  const std::vector<HWND> edits = FindChildren(wizard, L"Edit");
  ASSERT_EQ(edits.size(), 10u);
  ASSERT_TRUE(TypeText(edits[6], L"8080"));
  ASSERT_TRUE(TypeText(edits[7], L"web/"));
  ASSERT_TRUE(TypeText(edits[8], L"index.htm"));
  const std::wstring url = L"http://<Online IP>:8080/web/index.htm";
  ASSERT_TRUE(WaitFor([&] { return WindowText(edits[9]) == url; })) << Narrow(WindowText(edits[9]));
  Click(FindChild(wizard, L"Button", L"确定"));
  ASSERT_EQ(ShownPage(L"TPageDnsPro"), page);
  EXPECT_TRUE(WaitFor([&] { return FindChild(online, L"Edit", url) != nullptr; }));

  Apply();
  const TXMLUserInfoType stored = StoredProfile();
  EXPECT_EQ(stored.OnlineURL(), url);
  EXPECT_EQ(stored.OnlineType(), 11);
}

}  // namespace
