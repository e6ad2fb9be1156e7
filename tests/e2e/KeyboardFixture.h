// What the keyboard tests of the real program share: every key goes to the window that
// has the focus in the program, as the keyboard's keys do; the pages are opened from
// the navigation column with the arrow keys, reached with Tab and applied without the
// mouse; Ctrl is held for the program's thread as the keyboard holds it.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>

#include "tests/e2e/ProgramFixture.h"
#include "tests/support/AgentData.h"
#include "tests/support/HeldKeys.h"

namespace e2e {

class KeyboardPagesTest : public ProgramTest {
 protected:
  HWND Focus() const { return FocusedWindow(main); }
  void Press(WPARAM key) { PressKeyInFocus(main, key); }
  // Presses the key until the focus is on a window `wanted` accepts, each time waiting
  // for the focus to move on; false when it never comes.
  bool KeyTo(WPARAM key, const std::function<bool(HWND)>& wanted, int presses = 40) {
    for (int i = 0; i <= presses; ++i) {
      const HWND from = Focus();
      if (from && wanted(from)) return true;
      if (i == presses) break;
      Press(key);
      if (!WaitFor([&] { return Focus() != from; })) return false;
    }
    return false;
  }
  bool TabTo(HWND target) { return target && KeyTo(VK_TAB, [&](HWND w) { return w == target; }); }
  bool TabInto(HWND parent) { return KeyTo(VK_TAB, [&](HWND w) { return IsChild(parent, w) != FALSE; }); }
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
  HWND Button(const wchar_t* caption) { return Find(main, L"TPicBtn", caption); }
  static bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

  // From the focus on a navigation button, the arrow keys walk the column to `button`,
  // which opens its page; the page once shown, or null. Each arrow goes to the button
  // that has the focus once the program is done with the one before (read meanwhile,
  // the focus may be on the field a page put it on while it opened).
  HWND OpenByArrows(const wchar_t* button, const wchar_t* pageClass) {
    static const wchar_t* const column[] = {L"用户信息", L"域名设置", L"资源记录",
                                            L"域名层次", L"站点信息", L"选项设置"};
    const auto index = [](const std::wstring& caption) {
      return static_cast<int>(std::find(std::begin(column), std::end(column), caption) - std::begin(column));
    };
    int at = -1;
    WaitFor([&] { return Focus() && ClassName(Focus()) == L"TPicBtn" && (at = index(WindowText(Focus()))) < 6; });
    const int to = index(button);
    if (at < 0 || at >= 6 || to >= 6) return nullptr;
    while (at != to) {
      PressKey(Button(column[at]), at < to ? VK_DOWN : VK_UP);
      at += at < to ? 1 : -1;
      if (!WaitFor([&] { return Focus() == Button(column[at]); })) return nullptr;
    }
    return ShownPage(pageClass);
  }
  // Apply pressed as a keyboard user does: Tab to it, then Space; waits until the agent
  // has stored the profile for the `nth` time.
  void ApplyFromItsButton(long nth) {
    HWND apply = Button(L"应用");
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
    ASSERT_TRUE(TabTo(apply));
    Press(VK_SPACE);
    AppliedFor(nth);
  }
  // Enter on a section's page: it presses Apply.
  void ApplyWithEnter(long nth) {
    HWND apply = Button(L"应用");
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(apply) != FALSE; }));
    Press(VK_RETURN);
    AppliedFor(nth);
  }
  void AppliedFor(long nth) {
    HWND apply = Button(L"应用");
    ASSERT_TRUE(WaitFor([&] {
      return vt::test::AgentCallCount("PutUserProfile") == nth && !IsWindowEnabled(apply);
    }));
  }
};

}  // namespace e2e
