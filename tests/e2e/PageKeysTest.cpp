// Every page by keyboard alone in the real program against the real agent, each time
// from the navigation button that the arrow keys reach in the column: records added
// with Insert, opened with Enter and deleted with Delete; every online and offline type
// chosen, the tabs switched with Ctrl+Tab; a service chosen with Space; a parent and a
// child domain chosen from the agent's matches; the options; and the standard
// account's name, host address and snapshot. Apply follows by keyboard each time, and
// what the agent stored is read back.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "profile/UserProfile.h"
#include "profile/XmlDom.h"
#include "tests/e2e/AccountPagesFixture.h"
#include "tests/e2e/KeyboardFixture.h"
#include "profile/XmlValue.h"

namespace {

using namespace e2e;
using namespace vt::test;

class PageKeysTest : public KeyboardPagesTest {
 protected:
  // Starts on the account with the focus on the first navigation button, then walks the
  // column to the section's button and Tabs into its page.
  HWND OpenSection(const std::wstring& account, const wchar_t* button, const wchar_t* pageClass) {
    Start(account);
    HWND page = OpenByArrows(button, pageClass);
    return page && TabInto(page) ? page : nullptr;
  }
  // Enter in a record editor presses its OK; back on the records page, Apply from its
  // button, and the keyboard back into the grid.
  void ConfirmAndApply(HWND records, long nth) {
    Press(VK_RETURN);
    ASSERT_EQ(ShownPage(L"TPageRRsPro"), records);
    ApplyFromItsButton(nth);
    ASSERT_TRUE(TabTo(grid));
  }
  HWND Group(HWND page, const wchar_t* caption) { return Find(page, L"Button", caption); }

  HWND grid = nullptr;
};

TEST_F(PageKeysTest, RecordsAreAddedOpenedAndDeletedFromTheGridByKeyboard) {
  HWND records = OpenSection(kDemoProId, L"资源记录", L"TPageRRsPro");
  ASSERT_NE(records, nullptr);
  grid = FindChild(records, L"TDrawGrid", L"");
  ASSERT_EQ(Focus(), grid) << "the grid is the page's first stop";

  // Insert: the host editor for a new record, its name focused; Space moves on from
  // one address field to the next; Enter is OK.
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
  EXPECT_EQ(hosts.Item(3).IPv4(), IPv4FromOctets(10, 20, 30, 47));

  // Enter on the first alias (row 5, below the four host records) opens it.
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
  Press(VK_END);
  Press(VK_DELETE);
  ApplyFromItsButton(3);
  TXMLMXsType exchangers = StoredProfile(kDemoProId).MXs();
  ASSERT_EQ(exchangers.Count(), 1);
  EXPECT_EQ(exchangers.Item(0).NameExchange(), L"mail.demo-pro.veltrano.net");
}

// On the intranet account every online type is offered: each radio button is reached
// with Tab and chosen with Space; on the offline tab the arrow keys go from one type
// to the next over the fields between them.
TEST_F(PageKeysTest, EveryOnlineAndOfflineTypeIsChosenByKeyboard) {
  HWND page = OpenSection(kDemoLanId, L"域名设置", L"TPageDnsPro");
  ASSERT_NE(page, nullptr);
  HWND online = ShownPage(L"TPageOnlineSettings", page);
  ASSERT_NE(online, nullptr);

  long applies = 0;
  const std::vector<std::pair<const wchar_t*, int>> onlineTypes = {
      {L"公网动态IP地址建站 - 动态域名专家服务", 11}, {L"指定域名在线 IP 地址：", 12},
      {L"指向我的用户信息页", 14},                   {L"智能重定向！", 13},
      {L"内网私有IP地址建站 - 内网建站专家服务", 15}};
  for (const auto& [caption, code] : onlineTypes) {
    HWND radio = FindChild(online, L"Button", caption);
    ASSERT_TRUE(TabTo(radio)) << Narrow(caption);
    EXPECT_FALSE(Checked(radio)) << "Tab chooses nothing";
    Press(VK_SPACE);
    ASSERT_TRUE(WaitFor([&] { return Checked(radio); })) << Narrow(caption);
    ApplyWithEnter(++applies);
    EXPECT_EQ(StoredProfile(kDemoLanId).OnlineType(), code) << Narrow(caption);
  }

  // Ctrl+Tab switches to the offline settings; the focus goes along.
  ASSERT_TRUE(TabInto(online));
  HWND offline = nullptr;
  {
    THeldKeys ctrl({VK_CONTROL}, main);  // until the program has seen the key
    Press(VK_TAB);
    offline = ShownPage(L"TPageOfflineSettings", page);
  }
  ASSERT_NE(offline, nullptr);
  HWND first = FindChild(offline, L"Button", L"告诉访问者我不在线");
  ASSERT_TRUE(WaitFor([&] { return Focus() == first; }));
  Press(VK_SPACE);
  ASSERT_TRUE(WaitFor([&] { return Checked(first); }));
  ApplyWithEnter(++applies);
  EXPECT_EQ(StoredProfile(kDemoLanId).OfflineType(), 23);

  const std::vector<std::pair<const wchar_t*, int>> offlineTypes = {
      {L"与域名", 25}, {L"指定域名离线 IP 地址：", 21}, {L"指向我的用户信息页", 24}, {L"Web 重定向", 22}};
  HWND from = first;
  for (const auto& [caption, code] : offlineTypes) {
    HWND radio = FindChild(offline, L"Button", caption);
    ASSERT_TRUE(TabTo(from));
    Press(VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return Focus() == radio && Checked(radio); })) << Narrow(caption);
    ApplyWithEnter(++applies);
    EXPECT_EQ(StoredProfile(kDemoLanId).OfflineType(), code) << Narrow(caption);
    from = radio;
  }
}

// The services list: the arrows move through it without a question or a change, Space
// chooses GAME, the question it asks answered No with Enter (the others stay).
TEST_F(PageKeysTest, AServiceIsChosenByKeyboardWithoutQuestionsOnTheWay) {
  ASSERT_NE(OpenSection(kDemoProId, L"站点信息", L"TPageInfo"), nullptr);
  HWND generic = ShownPage(L"TPageGenericInfo");
  ASSERT_NE(generic, nullptr);
  HWND services = FindChild(generic, L"ListBox", L"");
  ASSERT_TRUE(TabTo(services));

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
  ApplyWithEnter(1);
  TXMLServicesType stored = StoredProfile(kDemoProId).Services();
  std::vector<int> codes;
  for (int i = 0; i < stored.Count(); ++i) codes.push_back(stored.Item(i));
  EXPECT_EQ(codes, (std::vector<int>{0, 1, 2, 8}));
}

// The parents grid's Insert opens the search for a parent: the match the arrow key
// chooses in the list is taken by Enter; the children grid's Enter opens the first
// child, whose external domain is chosen the same way.
TEST_F(PageKeysTest, AParentAndAChildDomainAreChosenFromTheMatchesByKeyboard) {
  HWND page = OpenSection(kDemoProId, L"域名层次", L"TPageHierarchyPro");
  ASSERT_NE(page, nullptr);
  HWND parents = FindChild(Group(page, L" 父  域 "), L"TDrawGrid", L"");
  HWND children = FindChild(Group(page, L" 子域授权 "), L"TDrawGrid", L"");
  const auto chooseMatch = [&](HWND dialog, const std::wstring& typed, const std::wstring& chosen) {
    HWND edit = Focus();
    ASSERT_TRUE(IsChild(dialog, edit));
    ASSERT_TRUE(Type(typed));
    HWND list = FindChild(dialog, L"ListBox", L"");
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) > 0; })) << Narrow(WindowText(edit));
    ASSERT_TRUE(TabTo(list));
    Press(VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return WindowText(edit) == chosen; })) << Narrow(WindowText(edit));
    Press(VK_RETURN);
    ASSERT_EQ(ShownPage(L"TPageHierarchyPro"), page);
  };

  ASSERT_TRUE(TabTo(parents));
  Press(VK_INSERT);
  HWND parent = ShownPage(L"TPageParent");
  ASSERT_NE(parent, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsChild(parent, Focus()) != FALSE; }));
  ASSERT_NO_FATAL_FAILURE(chooseMatch(parent, L"chess", L"chess-club.veltrano.net"));
  EXPECT_TRUE(WaitFor([&] { return Focus() == parents; })) << "the keyboard is back in the grid";

  ASSERT_TRUE(TabTo(children));
  Press(VK_HOME);
  Press(VK_RETURN);
  HWND child = ShownPage(L"TPageChild");
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(WaitFor([&] { return WindowText(Edits(child).at(0)) == L"shop"; }));
  ASSERT_TRUE(TabTo(Edits(child).at(1)));
  ASSERT_NO_FATAL_FAILURE(chooseMatch(child, L"photo-", L"photo-club.veltrano.org"));
  EXPECT_TRUE(WaitFor([&] { return Focus() == children; }));

  ApplyFromItsButton(1);
  const std::wstring stored = Stored(kDemoProId);
  EXPECT_TRUE(Contains(stored, L"<Parent Domain=\"chess-club.veltrano.net\"><Sequence>2029</Sequence>")) << Narrow(stored);
  EXPECT_TRUE(Contains(stored, L"<Child Domain=\"photo-club.veltrano.org\"><Name>shop</Name>")) << Narrow(stored);
}

// The server by the arrow key in its box, the speed by the arrow key on the bar, the
// automatic sign-in by Space; Enter on the page applies them.
TEST_F(PageKeysTest, TheOptionsAreSetByKeyboardAndEnterAppliesThem) {
  HWND page = OpenSection(kDemoProId, L"选项设置", L"TPageOptions");
  ASSERT_NE(page, nullptr);
  HWND server = Find(page, L"ComboBox", L"ns1.veltrano.net");
  ASSERT_TRUE(TabTo(server));
  Press(VK_DOWN);
  ASSERT_TRUE(WaitFor([&] { return WindowText(server) == L"ns2.veltrano.net"; }));
  HWND speed = FindChild(page, L"msctls_trackbar32", L"");
  ASSERT_TRUE(TabTo(speed));
  Press(VK_RIGHT);
  ASSERT_TRUE(WaitFor([&] { return SendMessageW(speed, TBM_GETPOS, 0, 0) == 2; }));
  HWND signIn = Find(page, L"Button", L"自动连接（签入）服务器");
  ASSERT_TRUE(TabTo(signIn));
  Press(VK_SPACE);
  ASSERT_TRUE(WaitFor([&] { return !Checked(signIn); }));

  HWND apply = Button(L"应用");
  Press(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return AgentCallCount("PutAppProfile") == 1 && !IsWindowEnabled(apply); }));
  std::wstring stored;
  EXPECT_TRUE(WaitFor([&] { return Contains(stored = StoredLocalSettings(), L"<AutoConnect>False</AutoConnect>"); }));
  EXPECT_TRUE(Contains(stored, L"<Host>ns2.veltrano.net</Host>") && Contains(stored, L"<HeartBeat>300</HeartBeat>"))
      << Narrow(stored);
  EXPECT_TRUE(IsChild(page, Focus())) << "Apply gives the focus back to the page";
}

// The standard account: a new name and suffix on the DNS page; on the records page the
// host's address typed field by field, the professional snapshot opened with Space and
// left with Escape; each applied.
TEST_F(PageKeysTest, TheStandardAccountNamesItsDomainAndAddressesItsHostByKeyboard) {
  HWND dns = OpenSection(kDemoStdId, L"域名设置", L"TPageDnsStd");
  ASSERT_NE(dns, nullptr);
  HWND label = Find(dns, L"Edit", L"demo-std");
  HWND suffix = Find(dns, L"ComboBox", L"veltrano.net");
  ASSERT_TRUE(TabTo(suffix));
  Press(VK_DOWN);
  ASSERT_TRUE(WaitFor([&] { return WindowText(suffix) == L"veltrano.org"; }));
  ASSERT_TRUE(TabTo(label));
  ASSERT_TRUE(Type(L"family-album"));
  ApplyWithEnter(1);
  EXPECT_EQ(StoredProfile(kDemoStdId).Domain(), L"family-album.veltrano.org");

  ASSERT_TRUE(TabTo(Button(L"域名设置")));
  HWND records = OpenByArrows(L"资源记录", L"TPageRRsStd");
  ASSERT_NE(records, nullptr);
  HWND address = FindChild(records, L"TBGIPEdit", L"");
  ASSERT_TRUE(KeyTo(VK_TAB, [&](HWND w) { return GetParent(w) == address; }));
  ASSERT_TRUE(Type(L"   20"));  // Space moves on to the next field, its text chosen
  HWND snapshot = Find(records, L"TPicBtn", L"查看专业版快照");
  ASSERT_TRUE(TabTo(snapshot));
  Press(VK_SPACE);
  HWND pro = ShownPage(L"TPageRRsPro");
  ASSERT_NE(pro, nullptr);
  Press(VK_ESCAPE);
  ASSERT_EQ(ShownPage(L"TPageRRsStd"), records);
  EXPECT_TRUE(WaitFor([&] { return Focus() == snapshot; })) << "the keyboard is back where it left";
  ApplyFromItsButton(2);
  EXPECT_EQ(StoredProfile(kDemoStdId).As().Item(0).IPv4(), IPv4FromOctets(192, 168, 0, 20));
}

}  // namespace
