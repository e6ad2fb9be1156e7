// The pages by keyboard alone in the real program against the real agent, each time
// from a focus inside the page: on the professional records page a host record added
// with Insert, an alias opened with Enter and a mail exchanger deleted with Delete; on
// the DNS page every online and offline type chosen; on the information page a service
// chosen with Space. Apply follows each, and the profile the agent stored is read
// through the typed view.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "profile/UserProfile.h"
#include "profile/XmlDom.h"
#include "tests/e2e/SectionPagesFixture.h"
#include "tests/support/AgentData.h"

namespace {

using namespace e2e;
using namespace vt::test;

class PageKeysTest : public SectionPagesTest {
 protected:
  HWND Focus() const { return FocusedWindow(main); }
  // A key pressed where the program's focus is (at the main window when none has it).
  void Press(WPARAM key) {
    const HWND focus = Focus();
    PressKey(focus ? focus : main, key);
  }
  // Tab until the focus is on a window `wanted` accepts; false when it never comes.
  bool TabTo(const std::function<bool(HWND)>& wanted) {
    for (int presses = 0; presses < 40; ++presses) {
      const HWND from = Focus();
      if (from && wanted(from)) return true;
      Press(VK_TAB);
      if (!WaitFor([&] { return Focus() != from; })) return false;
    }
    return false;
  }
  bool TabTo(const wchar_t* className, const std::wstring& text) {
    return TabTo([&](HWND w) { return ClassName(w) == className && WindowText(w) == text; });
  }
  // Types where the focus is, one character at a time as the keyboard sends them; each
  // is waited for until it changed the focused field's text or moved the focus on.
  bool Type(const std::wstring& text) {
    for (wchar_t c : text) {
      const HWND focus = Focus();
      const std::wstring before = WindowText(focus);
      PostMessageW(focus, WM_CHAR, c, 1);
      if (!WaitFor([&] { return Focus() != focus || WindowText(focus) != before; })) return false;
    }
    return true;
  }
  // Focuses the grid of the records page as a click on its header does (the header
  // selects nothing), so that the keys start from inside the page.
  void FocusGrid(HWND records) {
    grid = FindChild(records, L"TDrawGrid", L"");
    PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 8));
    PostMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(30, 8));
    ASSERT_TRUE(WaitFor([&] { return Focus() == grid; }));
  }
  // Enter in a record editor presses its OK; back on the records page, Apply.
  void ConfirmAndApply(HWND records, long nth) {
    Press(VK_RETURN);
    ASSERT_EQ(ShownPage(L"TPageRRsPro"), records);
    Apply(nth);
  }
  bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  static TXMLUserInfoType StoredProfile(const std::wstring& account) {
    return TXMLUserInfoType(LoadXmlText(StoredUserProfile(account), L"UserInfo"));
  }

  HWND grid = nullptr;
};

TEST_F(PageKeysTest, RecordsAreAddedOpenedAndDeletedFromTheGridByKeyboard) {
  ASSERT_NO_FATAL_FAILURE(Start(kDemoProId));
  HWND records = OpenPage(main, L"资源记录", L"TPageRRsPro");
  ASSERT_NE(records, nullptr);

  // Insert: the host editor for a new record, its name focused; Space moves on from
  // one address field to the next; Enter is OK.
  ASSERT_NO_FATAL_FAILURE(FocusGrid(records));
  Press(VK_INSERT);
  HWND editor = ShownPage(L"TPageRRA");
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsChild(editor, Focus()) != FALSE; }));
  ASSERT_TRUE(Type(L"nas"));
  Press(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return ClassName(GetParent(Focus())) == L"TBGIPEdit"; }));
  ASSERT_TRUE(Type(L"10 20 30 47"));
  ASSERT_NO_FATAL_FAILURE(ConfirmAndApply(records, 1));
  TXMLAsType hosts = StoredProfile(kDemoProId).As();
  ASSERT_EQ(hosts.Count(), 4);
  EXPECT_EQ(hosts.Item(3).Name(), L"nas");
  EXPECT_EQ(hosts.Item(3).IPv4(), Address(10, 20, 30, 47));

  // Enter on the first alias (row 5, below the four host records) opens it.
  ASSERT_NO_FATAL_FAILURE(FocusGrid(records));
  for (WPARAM key : {VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) Press(key);
  HWND alias = ShownPage(L"TPageCname");
  ASSERT_NE(alias, nullptr);
  ASSERT_TRUE(WaitFor([&] { return WindowText(Focus()) == L"www.demo-pro.veltrano.net"; }));
  Press(VK_HOME);
  ASSERT_TRUE(Type(L"m."));
  ASSERT_NO_FATAL_FAILURE(ConfirmAndApply(records, 2));
  TXMLCNamesType aliases = StoredProfile(kDemoProId).CNames();
  ASSERT_EQ(aliases.Count(), 2);
  EXPECT_EQ(aliases.Item(0).Name(), L"bbs");
  EXPECT_EQ(aliases.Item(0).Host(), L"m.www.demo-pro.veltrano.net");

  // Delete on the last row: the second mail exchanger goes.
  ASSERT_NO_FATAL_FAILURE(FocusGrid(records));
  Press(VK_END);
  Press(VK_DELETE);
  Apply(3);
  TXMLMXsType exchangers = StoredProfile(kDemoProId).MXs();
  ASSERT_EQ(exchangers.Count(), 1);
  EXPECT_EQ(exchangers.Item(0).NameExchange(), L"mail.demo-pro.veltrano.net");
}

// On the intranet account every online type is offered: each radio button is reached
// with Tab and chosen with Space; on the offline tab the arrow keys go from one type
// to the next over the fields between them.
TEST_F(PageKeysTest, EveryOnlineAndOfflineTypeIsChosenByKeyboard) {
  ASSERT_NO_FATAL_FAILURE(Start(kDemoLanId));
  HWND page = OpenPage(main, L"域名设置", L"TPageDnsPro");
  ASSERT_NE(page, nullptr);
  HWND online = ShownPage(L"TPageOnlineSettings", page);
  ASSERT_NE(online, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsChild(page, Focus()) != FALSE; }));

  long applies = 0;
  const std::vector<std::pair<const wchar_t*, int>> onlineTypes = {
      {L"公网动态IP地址建站 - 动态域名专家服务", 11}, {L"指定域名在线 IP 地址：", 12},
      {L"指向我的用户信息页", 14},                   {L"智能重定向！", 13},
      {L"内网私有IP地址建站 - 内网建站专家服务", 15}};
  for (const auto& [caption, code] : onlineTypes) {
    HWND radio = FindChild(online, L"Button", caption);
    ASSERT_TRUE(TabTo([&](HWND w) { return w == radio; })) << Narrow(caption);
    EXPECT_FALSE(Checked(radio)) << "Tab chooses nothing";
    Press(VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return Checked(radio); })) << Narrow(caption);
    Apply(++applies);
    EXPECT_EQ(StoredProfile(kDemoLanId).OnlineType(), code) << Narrow(caption);
  }

  // The tab set switches by mouse here (Ctrl cannot be held for another program); the
  // focus goes along into the offline settings.
  ASSERT_TRUE(TabTo([&](HWND w) { return IsChild(online, w) != FALSE; }));
  ChooseTab(page, 1);
  HWND offline = ShownPage(L"TPageOfflineSettings", page);
  ASSERT_NE(offline, nullptr);
  HWND first = FindChild(offline, L"Button", L"告诉访问者我不在线");
  ASSERT_TRUE(WaitFor([&] { return Focus() == first; }));
  Press(VK_SPACE);
  ASSERT_TRUE(WaitFor([&] { return Checked(first); }));
  Apply(++applies);
  EXPECT_EQ(StoredProfile(kDemoLanId).OfflineType(), 23);

  const std::vector<std::pair<const wchar_t*, int>> offlineTypes = {
      {L"与域名", 25}, {L"指定域名离线 IP 地址：", 21}, {L"指向我的用户信息页", 24}, {L"Web 重定向", 22}};
  HWND from = first;
  for (const auto& [caption, code] : offlineTypes) {
    HWND radio = FindChild(offline, L"Button", caption);
    ASSERT_TRUE(TabTo([&](HWND w) { return w == from; }));
    Press(VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return Focus() == radio && Checked(radio); })) << Narrow(caption);
    Apply(++applies);
    EXPECT_EQ(StoredProfile(kDemoLanId).OfflineType(), code) << Narrow(caption);
    from = radio;
  }
}

// The services list: the arrows move through it without a question or a change, Space
// chooses GAME, the question it asks answered No with Enter (the others stay).
TEST_F(PageKeysTest, AServiceIsChosenByKeyboardWithoutQuestionsOnTheWay) {
  ASSERT_NO_FATAL_FAILURE(Start(kDemoProId));
  ASSERT_NE(OpenPage(main, L"站点信息", L"TPageInfo"), nullptr);
  HWND generic = ShownPage(L"TPageGenericInfo");
  ASSERT_NE(generic, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsChild(generic, Focus()) != FALSE; }));
  HWND services = FindChild(generic, L"ListBox", L"");
  ASSERT_TRUE(TabTo([&](HWND w) { return w == services; }));

  Press(VK_HOME);
  for (int i = 0; i < 8; ++i) Press(VK_DOWN);
  ASSERT_TRUE(WaitFor([&] { return SendMessageW(services, LB_GETCARETINDEX, 0, 0) == 8; }));
  EXPECT_EQ(program->TopWindow(L"#32770"), nullptr) << "no question on the way";
  EXPECT_EQ(SendMessageW(services, LB_GETSELCOUNT, 0, 0), 3);

  Press(VK_SPACE);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = program->TopWindow(L"#32770")) && IsWindowVisible(box); }));
  EXPECT_NE(StaticTexts(box).find(L"真的要这样吗？"), std::wstring::npos);
  Press(VK_RETURN);  // No, the default: GAME besides the others
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  EXPECT_TRUE(WaitFor([&] { return Focus() == services; })) << "the keyboard is back in the list";
  Apply(1);
  TXMLServicesType stored = StoredProfile(kDemoProId).Services();
  std::vector<int> codes;
  for (int i = 0; i < stored.Count(); ++i) codes.push_back(stored.Item(i));
  EXPECT_EQ(codes, (std::vector<int>{0, 1, 2, 8}));
}

}  // namespace
