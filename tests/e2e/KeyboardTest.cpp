// The real program used with the keyboard alone, against the real agent. Every key goes
// to the window that has the focus in the program, as the keyboard's keys do.
#include <gtest/gtest.h>

#include "tests/e2e/KeyboardFixture.h"

namespace {

using namespace e2e;
using namespace vt::test;

class KeyboardTest : public KeyboardPagesTest {
 protected:
  bool TabTo(HWND target, int presses) {
    return KeyTo(VK_TAB, [&](HWND w) { return w == target; }, presses);
  }
};

// The arrows walk the navigation column and open each page; Tab runs down the column,
// into the page, and on along the button row; Space presses a link and Apply, Enter the
// modification page's OK; the agent stores the edit and the focus stays usable.
TEST_F(KeyboardTest, WalkTheColumnEditOnTheModificationPageAndApplyWithoutTheMouse) {
  Start(kDemoProId);
  ASSERT_TRUE(WaitFor([&] { return Focus() == Button(L"用户信息"); })) << "the focus starts in the column";
  const std::pair<const wchar_t*, const wchar_t*> column[] = {
      {L"域名设置", L"TPageDnsPro"}, {L"资源记录", L"TPageRRsPro"}, {L"域名层次", L"TPageHierarchyPro"},
      {L"站点信息", L"TPageInfo"},   {L"选项设置", L"TPageOptions"}, {L"用户信息", L"TPageUser"}};
  // Each arrow goes to the button that has the focus once the program is done with the
  // one before; read meanwhile, the focus may be on the field a page put it on while it
  // opened, before the button took it back.
  HWND at = Button(L"用户信息");
  for (const auto& [button, page] : column) {
    PressKey(at, VK_DOWN);
    at = Button(button);
    EXPECT_TRUE(WaitFor([&] { return Focus() == at; })) << Narrow(button);
    EXPECT_NE(ShownPage(page), nullptr) << Narrow(page);
  }
  HWND userPage = ShownPage(L"TPageUser");
  HWND link = Find(userPage, L"Static", L"修改用户...");
  for (const wchar_t* button : {L"域名设置", L"资源记录", L"域名层次", L"站点信息", L"选项设置"})
    ASSERT_TRUE(TabTo(Button(button), 1)) << Narrow(button);  // opening nothing
  ASSERT_TRUE(TabTo(link, 2));  // the sign button, then the link
  ASSERT_TRUE(PressKeyInFocus(main, VK_SPACE));
  HWND modify = ShownPage(L"TPageUserModify");
  ASSERT_NE(modify, nullptr);
  HWND name = Find(modify, L"Edit", L"张伟");
  ASSERT_TRUE(WaitFor([&] { return Focus() == name; }));
  PressKey(name, VK_END);
  PostMessageW(name, WM_CHAR, L'明', 1);
  ASSERT_TRUE(WaitFor([&] { return WindowText(name) == L"张伟明"; }));
  ASSERT_TRUE(PressKeyInFocus(main, VK_RETURN));
  ASSERT_NE(ShownPage(L"TPageUser"), nullptr);
  EXPECT_TRUE(WaitFor([&] { return Focus() == link; }));

  HWND apply = Button(L"应用");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
  ASSERT_TRUE(TabTo(Button(L"确定"), 5));  // past the account group's fields
  ASSERT_TRUE(TabTo(Button(L"取消"), 1));
  ASSERT_TRUE(TabTo(apply, 1));
  ASSERT_TRUE(PressKeyInFocus(main, VK_SPACE));
  EXPECT_TRUE(WaitFor([&] { return Stored(kDemoProId).find(L"<UserName>张伟明</UserName>") != std::wstring::npos; }))
      << Narrow(Stored(kDemoProId));
  EXPECT_EQ(AgentCallCount("PutUserProfile"), 1);
  // With nothing left to send Apply is disabled, and its focus goes back to the page.
  EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(apply) && IsChild(userPage, Focus()); }));
  EXPECT_TRUE(program->Running());
}

}  // namespace
