// The real program used with the keyboard alone, against the real agent: the arrows walk
// the navigation column and open each page, Tab runs down the column into the page and
// on along the button row, a link and the modification page's OK are pressed by Enter,
// Apply by Space, and the agent stores the edit; a snapshot view is opened and left by
// its buttons. Every key goes to the window that has the focus in the program, as the
// keyboard's keys do.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/SectionPagesFixture.h"
#include "tests/support/AgentData.h"

namespace {

using namespace e2e;
using namespace vt::test;

class KeyboardTest : public SectionPagesTest {
 protected:
  HWND Focus() const { return FocusedWindow(main); }
  // Presses the key where the focus is and waits until the focus is on `target`.
  bool KeyTo(WPARAM key, HWND target) {
    return PressKeyInFocus(main, key) && WaitFor([&] { return Focus() == target; });
  }
  // Presses Tab until the focus is on `target`, at most `limit` times.
  bool TabTo(HWND target, int limit = 20) {
    for (int i = 0; i < limit && Focus() != target; ++i) {
      const HWND before = Focus();
      if (!PressKeyInFocus(main, VK_TAB) || !WaitFor([&] { return Focus() != before; })) return false;
    }
    return Focus() == target;
  }
  HWND Button(const wchar_t* caption) { return Find(main, L"TPicBtn", caption); }
};

TEST_F(KeyboardTest, WalkTheColumnEditOnTheModificationPageAndApplyWithoutTheMouse) {
  Start(kDemoProId);
  HWND user = Button(L"用户信息");
  ASSERT_NE(user, nullptr);
  ASSERT_TRUE(WaitFor([&] { return Focus() == user; })) << "the focus starts on the first navigation button";

  struct TStep {
    const wchar_t* button;
    const wchar_t* page;
  };
  const TStep column[] = {{L"域名设置", L"TPageDnsPro"},   {L"资源记录", L"TPageRRsPro"},
                          {L"域名层次", L"TPageHierarchyPro"}, {L"站点信息", L"TPageInfo"},
                          {L"选项设置", L"TPageOptions"},  {L"用户信息", L"TPageUser"}};
  for (const TStep& step : column) {
    HWND button = Button(step.button);
    EXPECT_TRUE(KeyTo(VK_DOWN, button)) << Narrow(step.button);
    EXPECT_NE(ShownPage(step.page), nullptr) << Narrow(step.page);
  }
  EXPECT_TRUE(KeyTo(VK_UP, Button(L"选项设置")));
  EXPECT_NE(ShownPage(L"TPageOptions"), nullptr);
  EXPECT_TRUE(KeyTo(VK_DOWN, user));
  HWND userPage = ShownPage(L"TPageUser");
  ASSERT_NE(userPage, nullptr);

  // Tab: down the column without opening anything, then into the page, to its link.
  EXPECT_TRUE(KeyTo(VK_TAB, Button(L"域名设置")));
  HWND link = Find(userPage, L"Static", L"修改用户...");
  ASSERT_NE(link, nullptr);
  ASSERT_TRUE(TabTo(link));
  EXPECT_TRUE(IsWindowVisible(userPage));

  // Enter on the link opens the modification page, on its first field, the user name.
  ASSERT_TRUE(PressKeyInFocus(main, VK_RETURN));
  HWND modify = ShownPage(L"TPageUserModify");
  ASSERT_NE(modify, nullptr);
  HWND name = Find(modify, L"Edit", L"张伟");
  ASSERT_NE(name, nullptr);
  ASSERT_TRUE(WaitFor([&] { return Focus() == name; }));
  PressKey(name, VK_END);
  PostMessageW(name, WM_CHAR, L'明', 1);
  ASSERT_TRUE(WaitFor([&] { return WindowText(name) == L"张伟明"; }));
  // Enter presses the page's OK; the user page shows again with the focus on the link.
  ASSERT_TRUE(PressKeyInFocus(main, VK_RETURN));
  ASSERT_NE(ShownPage(L"TPageUser"), nullptr);
  EXPECT_TRUE(WaitFor([&] { return Focus() == link; }));

  // On along the button row to Apply, once the poll has enabled it, and Space.
  HWND apply = Button(L"应用");
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
  ASSERT_TRUE(TabTo(Button(L"确定")));
  EXPECT_TRUE(KeyTo(VK_TAB, Button(L"取消")));
  EXPECT_TRUE(KeyTo(VK_TAB, apply));
  ASSERT_TRUE(PressKeyInFocus(main, VK_SPACE));
  EXPECT_TRUE(WaitFor([&] { return Stored(kDemoProId).find(L"<UserName>张伟明</UserName>") != std::wstring::npos; }))
      << Narrow(Stored(kDemoProId));
  EXPECT_EQ(AgentCallCount("PutUserProfile"), 1);

  // Apply, with nothing left to send, gives the focus back to the page, where the keys
  // still reach a control; the window stays open.
  ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(apply); }));
  EXPECT_TRUE(WaitFor([&] { return IsChild(userPage, Focus()) != FALSE; }));
  const HWND before = Focus();
  ASSERT_TRUE(PressKeyInFocus(main, VK_TAB));
  EXPECT_TRUE(WaitFor([&] { return Focus() != before && Focus() != nullptr; }));
  EXPECT_TRUE(program->Running());
}

// A snapshot view is opened by its button and left by Enter on its Back button, the focus
// returning to the button it was opened from.
TEST_F(KeyboardTest, ASnapshotIsOpenedAndLeftFromTheKeyboard) {
  Start(kDemoStdId);
  HWND records = Button(L"资源记录");
  ASSERT_TRUE(WaitFor([&] { return Focus() == Button(L"用户信息"); }));
  ASSERT_TRUE(KeyTo(VK_DOWN, Button(L"域名设置")));
  ASSERT_TRUE(KeyTo(VK_DOWN, records));
  HWND standard = ShownPage(L"TPageRRsStd");
  ASSERT_NE(standard, nullptr);
  HWND snapshot = Find(standard, L"TPicBtn", L"SnapShot Professional");
  ASSERT_NE(snapshot, nullptr);
  ASSERT_TRUE(TabTo(snapshot));
  ASSERT_TRUE(PressKeyInFocus(main, VK_SPACE));
  HWND professional = ShownPage(L"TPageRRsPro");
  ASSERT_NE(professional, nullptr);
  HWND back = Find(professional, L"TPicBtn", L"SnapShot Back");
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(WaitFor([&] { return Focus() == back; }));
  ASSERT_TRUE(PressKeyInFocus(main, VK_RETURN));
  EXPECT_NE(ShownPage(L"TPageRRsStd"), nullptr);
  EXPECT_TRUE(WaitFor([&] { return Focus() == snapshot; }));
  EXPECT_FALSE(IsWindowVisible(professional));
  EXPECT_EQ(AgentCallCount("PutUserProfile"), 0);
}

}  // namespace
