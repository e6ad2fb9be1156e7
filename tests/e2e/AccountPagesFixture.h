// What the end-to-end tests of the account pages share: the real program started over
// the agent's (prepared) demo data, the way to the modification page, typing, links,
// OK then Apply, and the popup's text.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/ProgramFixture.h"

namespace e2e {

using namespace vt::test;

// The edits of a window in their tab order (the z-order of their parent).
inline std::vector<HWND> Edits(HWND parent) {
  std::vector<HWND> edits;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        if (_wcsicmp(ClassName(window).c_str(), L"Edit") == 0)
          reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&edits));
  return edits;
}

inline HWND Child(HWND parent, const wchar_t* className, const std::wstring& text) {
  return WaitForChild(parent, className, text);
}

// A link is a label: the click arrives as a press and a release of the mouse.
inline void ClickLink(HWND link) {
  PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

inline void SetText(HWND edit, const std::wstring& text) { EXPECT_TRUE(TypeText(edit, text)); }

inline bool Contains(const std::wstring& text, const std::wstring& part) {
  return text.find(part) != std::wstring::npos;
}

// The real program started over the agent's demo data, its user page found.
class AccountPagesTest : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Start(kDemoProId, [this] { PrepareAgentData(); }));
    userPage = Child(main, L"TPageUser", L"");
    ASSERT_NE(userPage, nullptr);
  }

  // Changes the agent's data after the reset, before the program starts.
  virtual void PrepareAgentData() {}

  // Opens the modification page through the user page's link.
  HWND OpenModifyPage() {
    ClickLink(Child(userPage, L"Static", L"修改用户..."));
    HWND page = nullptr;
    WaitFor([&] {
      page = FindChild(main, L"TPageUserModify", L"");
      return page && IsWindowVisible(page);
    });
    return page;
  }
  // Opens the modification page, answers the security question rightly and types the
  // new e-mail address zw@example.org with the confirmation given; null on failure.
  HWND EnterNewEmail(const std::wstring& confirmation) {
    HWND page = OpenModifyPage();
    std::vector<HWND> edits = page ? Edits(page) : std::vector<HWND>();  // name, answer, e-mail, confirmation, ...
    if (edits.size() != 7u) return nullptr;
    SetText(edits[1], L"阳光小学");
    SetText(edits[2], L"zw@example.org");
    SetText(edits[3], confirmation);
    return page;
  }
  // Presses the page's own OK, then the main window's Apply once it is enabled.
  void OkThenApply(HWND page) {
    Click(Child(page, L"Button", L"确定"));
    ASSERT_TRUE(PressApply(main));
  }
  // Waits until the agent has stored a profile of the demo account that holds `part`
  // (the agent counts a call when it starts, before the store is written).
  static bool StoredHolds(const std::wstring& part) {
    return WaitFor([&] { return Contains(StoredUserProfile(kDemoProId), part); });
  }
  HWND userPage = nullptr;
};

}  // namespace e2e
