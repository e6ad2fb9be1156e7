// Publishing to a real name server: the real program and the real agent, configured
// with the agent's switches for a BIND 9 named of the test's own, and dig reading what
// the zone holds after each step. The professional demo account signed in publishes
// its domain at the address the test's own address service answers and every record
// of its profile with its TTL; the domain follows a new address, a fixed address, the
// records page, a sign-out and a sign-in; a wrong key changes nothing and leaves the user page
// offline with the refusal in the log; a name server that was down is caught up with.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/AddressStub.h"
#include "tests/e2e/NameServer.h"
#include "tests/e2e/ProgramFixture.h"
#include "tests/support/AgentData.h"

namespace {

using namespace e2e;
using namespace vt::test;

const std::string kDomain = "demo-pro.veltrano.net.";
constexpr char kFirstAddress[] = "198.51.100.7";
constexpr char kSecondAddress[] = "198.51.100.8";
// Long enough for a busy machine: a check every 2 s, a retry at most that late.
constexpr DWORD kZonePatienceMs = 60000;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The zone's lines for the demo profile as seeded, with the domain's own record (none
// when empty), less the `removed` lines, plus `added`; sorted as dig's are.
std::string DemoZone(const std::string& domainRecord, std::vector<std::string> added = {},
                     const std::vector<std::string>& removed = {}) {
  std::vector<std::string> lines = {
      "bbs." + kDomain + " 600 CNAME www." + kDomain,
      "docs." + kDomain + " 1800 CNAME www." + kDomain,
      "ftp." + kDomain + " 300 A 192.168.1.2",
      "mail." + kDomain + " 3600 A 10.0.0.1",
      "mail." + kDomain + " 3600 MX 10 mail." + kDomain,
      "mail." + kDomain + " 3600 MX 20 backup-mx.veltrano.net.",
      "www." + kDomain + " 600 A 192.168.1.1",
  };
  if (!domainRecord.empty()) lines.push_back(kDomain + " " + domainRecord);
  for (const std::string& line : removed) lines.erase(std::remove(lines.begin(), lines.end(), line), lines.end());
  lines.insert(lines.end(), added.begin(), added.end());
  std::sort(lines.begin(), lines.end());
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

class PublishingTest : public ProgramTest {
 protected:
  void SetUp() override {
    AgentDataDir();  // looked up before any host program starts (see AgentDataDir)
    // The test run installs BIND 9 (scripts/lib.sh): missing, it fails rather than hides.
    ASSERT_TRUE(TNameServer::Available()) << "BIND 9 (named) and dig are not installed, or the host's programs "
                                             "cannot be started from Wine";
    ASSERT_TRUE(server.Start()) << "named did not start; its log is build/tests/name-server/named.log";
  }
  void TearDown() override {
    if (program) program->Terminate();
    ResetAgentData();  // the demo data publishes nothing
  }

  // The program started with the professional account signed in, and the agent then
  // told where to publish it: the name server, the address service, the account's key
  // (`secret`), a check every 2 s.
  void StartPublishing(const std::string& secret = kTestKeySecret) {
    Start(kDemoProId);
    logFrom_ = ReadUtf8File(AgentDataDir() + L"Publish.log").size();  // earlier tests' lines are not ours
    ASSERT_TRUE(WriteStoreFile(L"LocalSetting.xml",
                               L"<LocalSetting><Host>" + server.HostSetting() +
                                  L"</Host><HeartBeat>600</HeartBeat><AutoConnect>True</AutoConnect></LocalSetting>"));
    ASSERT_EQ(RunAgentSwitch(L"-AddressService " + stub.Url()), 0);
    std::wstring why;
    ASSERT_EQ(RunAgentSwitch(L"-Publish " + std::wstring(kDemoProKey) + L" zone=veltrano.net key=" +
                                 Wide(kTestKeyName) + L":hmac-sha256:" + Wide(secret),
                             30000, &why),
              0)
        << Narrow(why);
    std::wstring settings = ReadUtf8File(AgentDataDir() + L"Publish.xml");
    settings.replace(settings.find(L"<Publish"), 8, L"<Publish CheckSeconds=\"2\"");
    ASSERT_TRUE(WriteStoreFile(L"Publish.xml", settings));
    userPage = FindChild(main, L"TPageUser", L"");
    ASSERT_NE(userPage, nullptr);
  }

  // Waits until dig shows exactly `expected` for the demo domain; the last answer and
  // the agent's log when it does not.
  void ExpectZone(const std::string& expected) {
    std::optional<std::string> shown;
    const bool same = WaitFor([&] { return (shown = server.Records("demo-pro.veltrano.net")) == expected; },
                              kZonePatienceMs);
    EXPECT_TRUE(same) << "dig shows:\n" << shown.value_or("(no answer)") << "expected:\n" << expected
                      << "Publish.log:\n" << Narrow(Log());
  }
  bool NetworkShows(const wchar_t* state) {
    return WaitFor([&] { return FindChild(userPage, L"", state) != nullptr; });
  }
  // What the agent logged since this test configured it.
  std::wstring Log() const {
    const std::wstring log = ReadUtf8File(AgentDataDir() + L"Publish.log");
    return log.substr(std::min(logFrom_, log.size()));
  }
  // Writes a file of the agent's store; under Wine a file cannot be replaced while the
  // agent has it open for a moment, so the write is tried again for a while.
  static bool WriteStoreFile(const std::wstring& name, const std::wstring& text) {
    return WaitFor([&] { return WriteUtf8File(AgentDataDir() + name, text); }, 10000);
  }
  static void EditStoredProfile(const std::wstring& from, const std::wstring& to) {
    std::wstring profile = StoredUserProfile(kDemoProId);
    const size_t at = profile.find(from);
    ASSERT_NE(at, std::wstring::npos);
    profile.replace(at, from.size(), to);
    ASSERT_TRUE(WriteStoreFile(L"Profiles\\pro.xml", profile));
  }

  TNameServer server;
  TAddressStub stub{kFirstAddress};
  HWND userPage = nullptr;
  size_t logFrom_ = 0;
};

TEST_F(PublishingTest, TheDomainFollowsTheAddressServiceThenAFixedAddress) {
  ASSERT_NO_FATAL_FAILURE(StartPublishing());
  ExpectZone(DemoZone(std::string("600 A ") + kFirstAddress));
  EXPECT_TRUE(NetworkShows(L"在线"));

  stub.SetAddress(kSecondAddress);  // asked again within one check
  ExpectZone(DemoZone(std::string("600 A ") + kSecondAddress));

  EditStoredProfile(L"<OnlineType>11</OnlineType>", L"<OnlineType>12</OnlineType>");
  ExpectZone(DemoZone("600 A 192.168.1.1"));  // OnlineFixedIP
  EXPECT_NE(Log().find(L"published online"), std::wstring::npos);
}

TEST_F(PublishingTest, RecordsAddedAndDeletedOnTheRecordsPageAppearAndDisappear) {
  ASSERT_NO_FATAL_FAILURE(StartPublishing());
  ExpectZone(DemoZone(std::string("600 A ") + kFirstAddress));
  HWND page = OpenPage(main, L"资源记录", L"TPageRRsPro");
  ASSERT_NE(page, nullptr);
  HWND toolbar = GetParent(FindChild(page, L"TCustomControl", L"主机"));
  auto tool = [&](int left) { return ChildWindowFromPointEx(toolbar, POINT{left + 11, 14}, CWP_SKIPINVISIBLE); };
  auto ok = [&](HWND editor) {
    Click(FindChild(editor, L"Button", L"确  定"));
    ASSERT_EQ(ShownPage(L"TPageRRsPro"), page);
  };

  HWND grid = FindChild(page, L"TDrawGrid", L"");
  PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 2 * 16 + 8));  // ftp, below the header
  PostMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(30, 2 * 16 + 8));
  Click(tool(264));  // delete

  Click(FindChild(page, L"TCustomControl", L"主机"));
  HWND host = ShownPage(L"TPageRRA");
  ASSERT_NE(host, nullptr);
  ASSERT_TRUE(TypeText(FindChildren(host, L"Edit")[0], L"nas"));
  const std::vector<HWND> octets = FindChildren(FindChild(host, L"TBGIPEdit", L""), L"Edit");
  ASSERT_EQ(octets.size(), 4u);
  const wchar_t* typed[] = {L"10", L"0", L"0", L"7"};
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(TypeText(octets[i], typed[i]));
  PressKey(FindChild(host, L"ComboBox", L"1"), VK_DOWN);  // 5 minutes
  ASSERT_TRUE(WaitFor([&] { return FindChild(host, L"ComboBox", L"5") != nullptr; }));
  ASSERT_NO_FATAL_FAILURE(ok(host));

  Click(FindChild(page, L"TCustomControl", L"别名"));
  HWND alias = ShownPage(L"TPageCname");
  ASSERT_NE(alias, nullptr);
  std::vector<HWND> edits = FindChildren(alias, L"Edit");
  ASSERT_GE(edits.size(), 2u);
  ASSERT_TRUE(TypeText(edits[0], L"blog"));
  ASSERT_TRUE(TypeText(edits[1], L"www.demo-pro.veltrano.net"));
  ASSERT_NO_FATAL_FAILURE(ok(alias));

  Click(FindChild(page, L"TCustomControl", L"邮件交换器"));
  HWND mx = ShownPage(L"TPageMX");
  ASSERT_NE(mx, nullptr);
  edits = FindChildren(mx, L"Edit");
  ASSERT_GE(edits.size(), 3u);
  ASSERT_TRUE(TypeText(edits[0], L"shop"));
  ASSERT_TRUE(TypeText(edits[1], L"mail.demo-pro.veltrano.net"));
  ASSERT_TRUE(TypeText(edits[2], L"5"));
  ASSERT_NO_FATAL_FAILURE(ok(mx));
  Apply();

  ExpectZone(DemoZone(std::string("600 A ") + kFirstAddress,
                      {"nas." + kDomain + " 300 A 10.0.0.7", "blog." + kDomain + " 60 CNAME www." + kDomain,
                       "shop." + kDomain + " 60 MX 5 mail." + kDomain},
                      {"ftp." + kDomain + " 300 A 192.168.1.2"}));
}

TEST_F(PublishingTest, SignedOutTheOfflineAddressIsPublishedSignedInTheMachinesAgain) {
  ASSERT_NO_FATAL_FAILURE(StartPublishing());
  ExpectZone(DemoZone(std::string("600 A ") + kFirstAddress));
  EditStoredProfile(L"<OfflineType>23</OfflineType>", L"<OfflineType>21</OfflineType>");
  Click(FindChild(userPage, L"", L"签  出"));
  ExpectZone(DemoZone("600 A 10.0.0.1"));  // OfflineIP; the records stay
  EXPECT_TRUE(NetworkShows(L"离线"));
  EXPECT_NE(Log().find(L"published offline"), std::wstring::npos);

  stub.SetAddress(kSecondAddress);  // asked again at the sign-in
  Click(FindChild(userPage, L"", L"签  入"));
  ExpectZone(DemoZone(std::string("600 A ") + kSecondAddress));
  EXPECT_TRUE(NetworkShows(L"在线"));
}

TEST_F(PublishingTest, AWrongSecretChangesNothingAndLeavesTheUserOffline) {
  ASSERT_NO_FATAL_FAILURE(StartPublishing("QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVowMTIzNDU="));
  EXPECT_TRUE(WaitFor([&] { return Log().find(L"NOTAUTH (BADSIG)") != std::wstring::npos; }, kZonePatienceMs))
      << Narrow(Log());
  EXPECT_TRUE(NetworkShows(L"离线"));
  EXPECT_EQ(server.Records("demo-pro.veltrano.net"), "");
}

TEST_F(PublishingTest, TheAgentCatchesUpWithANameServerThatWasDown) {
  ASSERT_NO_FATAL_FAILURE(StartPublishing());
  ExpectZone(DemoZone(std::string("600 A ") + kFirstAddress));
  const size_t logged = Log().size();
  server.Stop();
  stub.SetAddress(kSecondAddress);
  EXPECT_TRUE(WaitFor([&] { return Log().find(L"name server", logged) != std::wstring::npos; }, kZonePatienceMs))
      << Narrow(Log());
  EXPECT_TRUE(NetworkShows(L"离线"));
  ASSERT_TRUE(server.Restart());
  ExpectZone(DemoZone(std::string("600 A ") + kSecondAddress));
  EXPECT_TRUE(NetworkShows(L"在线"));
}

}  // namespace
