// The records pages in the real program against the real agent: on the professional
// demo account a host record added through its editor, an alias changed and a mail
// exchanger deleted, then Apply, as the agent stores them; whatever is typed into the
// address fields reaches the agent as four bytes; on the standard account the inline
// host record changed and the snapshot of the professional grid opened and left.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/frameRRsPro.h"
#include "tests/e2e/ProgramFixture.h"
#include "tests/support/AgentData.h"
#include "tests/support/TestXml.h"
#include "profile/XmlValue.h"

namespace {

using namespace e2e;
using namespace vt::test;

constexpr int kRowHeight = 16;

// A press and a release of the left button at x, y of the window's client area.
void ClickAt(HWND window, int x, int y) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PostChars(HWND window, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(window, WM_CHAR, c, 1);
}

// Whether a record of the collection matches: records are told apart by their fields,
// whatever the order of the elements that hold them.
template <class Collection, class Match>
bool Holds(const Collection& records, Match match) {
  for (int i = 0; i < records.Count(); ++i)
    if (match(records.Item(i))) return true;
  return false;
}
bool HoldsHost(const TXMLUserInfoType& profile, const std::wstring& name, int address, int ttl) {
  return Holds(profile.As(), [&](const TXMLAType& a) { return a.Name() == name && a.IPv4() == address && a.TTL() == ttl; });
}

class RecordsPagesTest : public ProgramTest {
 protected:
  HWND OpenRecords(const wchar_t* pageClass) { return OpenPage(main, L"资源记录", pageClass); }
  // A toolbar button of the professional page, by its control id.
  static HWND Tool(HWND records, int id) {
    return GetDlgItem(GetParent(FindChild(records, L"TCustomControl", L"主机")), id);
  }
  void SelectRow(HWND records, int row) { ClickAt(FindChild(records, L"TDrawGrid", L""), 30, row * kRowHeight + 8); }
  HWND Button(HWND window, const wchar_t* caption) { return FindChild(window, L"Button", caption); }
  // On the professional account: the records page, then its host editor for a new
  // record with `name` typed; sets page, editor and the editor's four address fields.
  void OpenNewHost(const std::wstring& name) {
    Start(kDemoProId);
    page = OpenRecords(L"TPageRRsPro");
    ASSERT_NE(page, nullptr);
    Click(FindChild(page, L"TCustomControl", L"主机"));
    editor = ShownPage(L"TPageRRA");
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(TypeText(FindChildren(editor, L"Edit")[0], name));
    octets = FindChildren(FindChild(editor, L"TBGIPEdit", L""), L"Edit");
    ASSERT_EQ(octets.size(), 4u);
  }

  HWND page = nullptr, editor = nullptr;
  std::vector<HWND> octets;
};

TEST_F(RecordsPagesTest, AddAHostChangeAnAliasDeleteAMailExchangerAndApply) {
  ASSERT_NO_FATAL_FAILURE(OpenNewHost(L"nas"));
  const wchar_t* typed[] = {L"10", L"0", L"0", L"7"};
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(TypeText(octets[i], typed[i]));
  PressKey(FindChild(editor, L"ComboBox", L"1"), VK_DOWN);  // "5" minutes
  ASSERT_TRUE(WaitFor([&] { return FindChild(editor, L"ComboBox", L"5") != nullptr; }));
  Click(Button(editor, L"确  定"));
  ASSERT_EQ(ShownPage(L"TPageRRsPro"), page);

  SelectRow(page, 5);  // bbs, below the new host record
  Click(Tool(page, TPageRRsPro::kPropertyTool));
  HWND alias = ShownPage(L"TPageCname");
  ASSERT_NE(alias, nullptr);
  ASSERT_TRUE(TypeText(FindChild(alias, L"Edit", L"www.demo-pro.veltrano.net"), L"blog.demo-pro.veltrano.net"));
  Click(Button(alias, L"确  定"));
  ASSERT_EQ(ShownPage(L"TPageRRsPro"), page);

  SelectRow(page, 7);  // the first mail exchanger
  Click(Tool(page, TPageRRsPro::kDeleteTool));
  Apply();

  const TXMLUserInfoType stored = StoredProfile();
  EXPECT_TRUE(HoldsHost(stored, L"nas", IPv4FromOctets(10, 0, 0, 7), 300)) << Narrow(Stored());
  EXPECT_TRUE(Holds(stored.CNames(), [](const TXMLCNameType& c) {
    return c.Name() == L"bbs" && c.TTL() == 600 && c.Host() == L"blog.demo-pro.veltrano.net";
  }));
  EXPECT_FALSE(Holds(stored.MXs(), [](const TXMLMXType& mx) { return mx.NameExchange() == L"mail.demo-pro.veltrano.net"; }));
  EXPECT_TRUE(Holds(stored.MXs(), [](const TXMLMXType& mx) { return mx.NameExchange() == L"backup-mx.veltrano.net"; }));
}

// A priority the keyboard could not give, set elsewhere, stays as stored when only the
// mail server is edited.
TEST_F(RecordsPagesTest, AnUntouchedMailExchangerPriorityStaysAsStored) {
  ResetAgentData();
  std::wstring profile = StoredUserProfile(kDemoProId);
  const size_t at = profile.find(L"<Preference>10</Preference>");
  ASSERT_NE(at, std::wstring::npos);
  profile.replace(at, 27, L"<Preference>-5</Preference>");
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"Profiles\\pro.xml", profile));
  ResetAgentCallCounts();
  program.emplace(L"VTUserCnfg.exe");
  main = program->WaitForTopWindow(L"TCnfgMain");
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitFor([] { return AgentCallCount("GetAppProfile") >= 1; }));
  page = OpenRecords(L"TPageRRsPro");
  ASSERT_NE(page, nullptr);
  SelectRow(page, 6);  // the first mail exchanger, below the header row
  Click(Tool(page, TPageRRsPro::kPropertyTool));
  HWND mx = ShownPage(L"TPageMX");
  ASSERT_NE(mx, nullptr);
  EXPECT_NE(FindChild(mx, L"Edit", L"-5"), nullptr);
  ASSERT_TRUE(TypeText(FindChild(mx, L"Edit", L"mail.demo-pro.veltrano.net"), L"mx1.demo-pro.veltrano.net"));
  Click(Button(mx, L"确  定"));
  ASSERT_EQ(ShownPage(L"TPageRRsPro"), page);
  Apply();
  EXPECT_TRUE(Holds(StoredProfile().MXs(), [](const TXMLMXType& mx) {
    return mx.NameExchange() == L"mx1.demo-pro.veltrano.net" && mx.Preference() == -5;
  })) << Narrow(Stored());
}

TEST_F(RecordsPagesTest, WhateverIsTypedIntoTheAddressReachesTheAgentAsFourBytes) {
  ASSERT_NO_FATAL_FAILURE(OpenNewHost(L"odd"));
  const wchar_t* typed[] = {L"999", L"a-.1x", L"\b", L"2x5.6"};
  for (int i = 0; i < 4; ++i) {
    PostMessageW(octets[i], EM_SETSEL, 0, -1);
    PostChars(octets[i], typed[i]);
  }
  const std::vector<std::wstring> shown = {L"255", L"1", L"", L"255"};  // empty reads 0
  EXPECT_TRUE(WaitFor([&] {
    for (int i = 0; i < 4; ++i)
      if (WindowText(octets[i]) != shown[i]) return false;
    return true;
  }));
  Click(Button(editor, L"确  定"));
  ASSERT_EQ(ShownPage(L"TPageRRsPro"), page);
  Apply();
  EXPECT_TRUE(Holds(StoredProfile().As(), [](const TXMLAType& a) {
    return a.Name() == L"odd" && a.IPv4() == IPv4FromOctets(255, 1, 0, 255);
  }));
}

TEST_F(RecordsPagesTest, TheStandardAccountEditsItsHostInlineAndViewsTheSnapshot) {
  Start(kDemoStdId);
  page = OpenRecords(L"TPageRRsStd");
  ASSERT_NE(page, nullptr);
  EXPECT_NE(FindChild(page, L"Edit", L"www"), nullptr);
  EXPECT_NE(FindChild(page, L"Edit", L"home"), nullptr);
  octets = FindChildren(FindChild(page, L"TBGIPEdit", L""), L"Edit");
  ASSERT_EQ(octets.size(), 4u);
  EXPECT_TRUE(WaitFor([&] { return WindowText(octets[3]) == L"10"; }));
  ASSERT_TRUE(TypeText(octets[3], L"20"));

  Click(FindChild(page, L"TPicBtn", L"查看专业版快照"));
  HWND pro = ShownPage(L"TPageRRsPro");
  ASSERT_NE(pro, nullptr);
  HWND back = FindChild(pro, L"TPicBtn", L"返回标准页");
  EXPECT_TRUE(IsWindowVisible(back));
  EXPECT_FALSE(IsWindowEnabled(FindChild(pro, L"TDrawGrid", L"")));
  EXPECT_FALSE(IsWindowEnabled(GetParent(FindChild(pro, L"TDrawGrid", L""))));
  Click(back);
  EXPECT_EQ(ShownPage(L"TPageRRsStd"), page);

  Apply();
  EXPECT_TRUE(HoldsHost(StoredProfile(kDemoStdId), L"www", IPv4FromOctets(192, 168, 0, 20), 600))
      << Narrow(Stored(kDemoStdId));
}

}  // namespace
