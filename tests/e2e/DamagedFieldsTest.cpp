// Documents with fields the program cannot read, in the real program against the real
// agent, with the agent's stored files as the oracle: such a field shows as unknown
// and stays stored while the rest of its page works; a page that cannot open at all
// says so and leaves the user where they were; the standard records page never
// writes into a profile it no longer holds; a damaged domain list is fetched again.
#include <gtest/gtest.h>

#include <string>

#include "pages/frameRRsPro.h"
#include "tests/e2e/ProgramFixture.h"
#include "tests/support/AgentData.h"
#include "tests/support/TestXml.h"
#include "tests/support/TestPaths.h"

namespace {

using namespace e2e;
using namespace vt::test;

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// The stored profile of the account with the first `from` after `anchor` replaced.
void EditStoredProfile(const std::wstring& account, const std::wstring& anchor, const std::wstring& from,
                       const std::wstring& to) {
  std::wstring text = StoredUserProfile(account);
  const size_t at = text.find(from, text.find(anchor));
  ASSERT_NE(at, std::wstring::npos) << Narrow(from);
  text.replace(at, from.size(), to);
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"Profiles\\" + account + L".xml", text));
}

class DamagedFieldsTest : public ProgramTest {
 protected:
  std::wstring PopupText() {
    HWND popup = program->TopWindow(L"TMsgForm");
    return popup && IsWindowVisible(popup) ? StaticTexts(popup) : L"";
  }
  // No default error box came up (it would hold the window thread).
  bool NoErrorBox() { return program->TopWindow(L"#32770") == nullptr; }
};

TEST_F(DamagedFieldsTest, UnreadableNumbersShowAsUnknownStayStoredAndTheRestOfThePageWorks) {
  Start(kDemoStdId, [] {
    EditStoredProfile(kDemoStdId, L"<UserInfo", L"<TTL>600</TTL>", L"<TTL>abc</TTL>");
    EditStoredProfile(kDemoStdId, L"<UserInfo", L"<OnlineType>12</OnlineType>", L"");
    EditStoredProfile(kDemoStdId, L"<Services>", L"<Service>0</Service>", L"<Service>x</Service>");
  });
  HWND dns = OpenPage(main, L"域名设置", L"TPageDnsStd");
  ASSERT_NE(dns, nullptr);
  HWND label = Find(dns, L"Edit", L"demo-std");
  ASSERT_NE(label, nullptr);
  HWND ttl = Find(dns, L"ComboBox", L"");  // no cache time chosen
  EXPECT_EQ(SendMessageW(ttl, CB_GETCURSEL, 0, 0), CB_ERR);
  HWND online = ShownPage(L"TPageOnlineSettings", dns);
  ASSERT_NE(online, nullptr);
  for (HWND radio : FindChildren(online, L"Button"))
    if ((GetWindowLongW(radio, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
      EXPECT_NE(SendMessageW(radio, BM_GETCHECK, 0, 0), BST_CHECKED) << Narrow(WindowText(radio));
  ASSERT_TRUE(TypeText(label, L"family-album"));

  HWND info = OpenPage(main, L"站点信息", L"TPageInfo");
  ASSERT_NE(info, nullptr);
  HWND qq = Find(info, L"Edit", L"10001");
  ASSERT_NE(qq, nullptr);
  ASSERT_TRUE(TypeText(qq, L"12345"));
  EXPECT_TRUE(NoErrorBox());
  Apply();

  const std::wstring stored = Stored(kDemoStdId);
  EXPECT_TRUE(Contains(stored, L"<Domain>family-album.veltrano.net</Domain>")) << Narrow(stored);
  EXPECT_TRUE(Contains(stored, L"<OICQ>12345</OICQ>"));
  EXPECT_TRUE(Contains(stored, L"<TTL>abc</TTL>"));
  EXPECT_TRUE(Contains(stored, L"<Service>x</Service>"));
  EXPECT_FALSE(Contains(stored, L"<OnlineType>1"));  // still none
}

TEST_F(DamagedFieldsTest, ARecordThatCannotBeOpenedLeavesTheUserOnTheRecordsPage) {
  Start(kDemoProId, [] { EditStoredProfile(kDemoProId, L"<MX>", L"<Preference>10</Preference>",
                                               L"<Preference>ten</Preference>"); });
  HWND records = OpenPage(main, L"资源记录", L"TPageRRsPro");
  ASSERT_NE(records, nullptr);
  HWND grid = FindChild(records, L"TDrawGrid", L"");
  PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 6 * 16 + 8));  // the first mail exchanger
  PostMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(30, 6 * 16 + 8));
  HWND toolbar = GetParent(FindChild(records, L"TCustomControl", L"主机"));
  Click(GetDlgItem(toolbar, TPageRRsPro::kPropertyTool));
  EXPECT_TRUE(WaitFor([&] { return Contains(PopupText(), L"Preference"); })) << Narrow(PopupText());
  EXPECT_EQ(ShownPage(L"TPageRRsPro"), records);
  EXPECT_TRUE(NoErrorBox());

  // A host record opens; the section's button, pressed while checked, brings the
  // records page back.
  Click(FindChild(records, L"TCustomControl", L"主机"));
  ASSERT_NE(ShownPage(L"TPageRRA"), nullptr);
  Click(FindChild(main, L"TPicBtn", L"资源记录"));
  EXPECT_EQ(ShownPage(L"TPageRRsPro"), records);
}

TEST_F(DamagedFieldsTest, TheStandardRecordsPageWritesOnlyIntoTheProfileItHolds) {
  Start(kDemoStdId);
  HWND records = OpenPage(main, L"资源记录", L"TPageRRsStd");
  ASSERT_NE(records, nullptr);
  ASSERT_NE(Find(records, L"Edit", L"www.demo-std.veltrano.net"), nullptr);

  // Changed elsewhere: a new alias host, and the host record's cache time emptied.
  EditStoredProfile(kDemoStdId, L"<CName>", L"<Host>www.demo-std.veltrano.net</Host>",
                    L"<Host>elsewhere.example</Host>");
  EditStoredProfile(kDemoStdId, L"<As>", L"<TTL>600</TTL>", L"<TTL></TTL>");
  // The user reloads the profile, then comes back to the records page.
  HWND user = OpenPage(main, L"用户信息", L"TPageUser");
  ASSERT_NE(user, nullptr);
  HWND link = Find(user, L"Static", L"修改用户...");
  PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  HWND modify = ShownPage(L"TPageUserModify");
  ASSERT_NE(modify, nullptr);
  Click(Find(modify, L"", L"重载用户信息"));
  ASSERT_TRUE(WaitFor([] { return AgentCallCount("GetUserProfile") >= 3; }));  // fetch, reload, fetch
  records = OpenPage(main, L"资源记录", L"TPageRRsStd");
  ASSERT_NE(records, nullptr);
  HWND alias = Find(records, L"Edit", L"elsewhere.example");
  ASSERT_NE(alias, nullptr);
  ASSERT_TRUE(TypeText(alias, L"typed.example"));
  EXPECT_TRUE(NoErrorBox());
  Apply();
  const std::wstring stored = Stored(kDemoStdId);
  EXPECT_TRUE(Contains(stored, L"<Host>typed.example</Host>")) << Narrow(stored);
  EXPECT_TRUE(Contains(stored, L"<A><Name>www</Name><TTL></TTL>") || Contains(stored, L"<A><Name>www</Name><TTL/>"))
      << Narrow(stored);
}

TEST_F(DamagedFieldsTest, ADamagedDomainListIsFetchedAgain) {
  const std::wstring list = ProductDir() + L"TDNL.kvf";  // the program's working folder here
  std::string bytes(600, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 3 ? (i * 7919) & 0xFF : 0);
  HANDLE file = CreateFileW(list.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);

  Start(kDemoStdId);
  HWND dns = OpenPage(main, L"域名设置", L"TPageDnsStd");
  ASSERT_NE(dns, nullptr);
  EXPECT_NE(Find(dns, L"Edit", L"demo-std"), nullptr);
  HWND suffix = Find(dns, L"ComboBox", L"veltrano.net");
  ASSERT_NE(suffix, nullptr);
  EXPECT_EQ(SendMessageW(suffix, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(AgentCallCount("GetDomainList"), 1);
}

}  // namespace
