// What every end-to-end test of the program shares: the agent's demo data reset and
// changed as the test needs, the real program started over it with one demo account
// signed in, pages and controls found once they show, Apply, the popup's text and
// the profile the agent stored.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/e2e/E2eSupport.h"
#include "tests/support/AgentData.h"
#include "tests/support/TestXml.h"
#include "profile/UserProfile.h"
#include "profile/XmlDom.h"

namespace e2e {

inline constexpr wchar_t kProgram[] = L"VTUserCnfg.exe";
inline constexpr wchar_t kMainClass[] = L"TCnfgMain";

class ProgramTest : public ::testing::Test {
 protected:
  // Starts the program on the demo data, with `account` signed in and the changes
  // `prepare` makes to the data, once it holds the account's documents (the section
  // buttons choose their page by the service type).
  void Start(const std::wstring& account = vt::test::kDemoProId,
             const std::function<void()>& prepare = nullptr) {
    vt::test::ResetAgentData();
    if (account != vt::test::kDemoProId) vt::test::WriteAgentState(account, 2, true);
    if (prepare) ASSERT_NO_FATAL_FAILURE(prepare());
    vt::test::ResetAgentCallCounts();
    ASSERT_NO_FATAL_FAILURE(Launch());  // after the reset, so that it sees the prepared data only
  }
  // Starts the program again over the data as it is.
  void Launch() {
    program.emplace(kProgram);
    main = program->WaitForTopWindow(kMainClass);
    ASSERT_NE(main, nullptr) << (program->Running() ? "running, no main window shown"
                                                    : "ended with exit code " + std::to_string(program->ExitCode()));
    ASSERT_TRUE(WaitFor([] { return vt::test::AgentCallCount("GetAppProfile") >= 1; }));
  }
  // The page of that class in `parent` (the main window when null) once it is shown;
  // null when it does not show.
  HWND ShownPage(const wchar_t* className, HWND parent = nullptr) {
    HWND shown = nullptr;
    WaitFor([&] {
      shown = FindChild(parent ? parent : main, className, L"");
      return shown && IsWindowVisible(shown);
    });
    return shown && IsWindowVisible(shown) ? shown : nullptr;
  }
  // The descendant once it exists (a page shows before its refresh has loaded it).
  static HWND Find(HWND parent, const wchar_t* className, const std::wstring& text) {
    return WaitForChild(parent, className, text);
  }
  // A click on a tab of a DNS page's settings: the tab set lies above everything else
  // at the frame's foot; tab 1 is the offline one.
  static void ChooseTab(HWND page, int tab) {
    HWND tabs = ChildWindowFromPointEx(page, POINT{40, 292}, CWP_SKIPINVISIBLE);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab == 0 ? 36 : 110, 10));
    PostMessageW(tabs, WM_LBUTTONUP, 0, MAKELPARAM(tab == 0 ? 36 : 110, 10));
  }
  // Presses Apply and waits until the agent has stored the profile for the `nth` time.
  void Apply(long nth = 1) {
    ASSERT_TRUE(PressApply(main));
    HWND apply = FindChild(main, L"TPicBtn", L"应用");
    // The agent counts a call when it starts it; the program disables Apply once the
    // call has returned, the profile stored.
    ASSERT_TRUE(WaitFor([&] { return vt::test::AgentCallCount("PutUserProfile") == nth && !IsWindowEnabled(apply); }));
  }
  std::wstring Stored(const std::wstring& account = vt::test::kDemoProId) {
    return vt::test::CompactXml(vt::test::StoredUserProfile(account));
  }
  // The profile the agent stored, read through the program's own typed view.
  static TXMLUserInfoType StoredProfile(const std::wstring& account = vt::test::kDemoProId) {
    return TXMLUserInfoType(LoadXmlText(vt::test::StoredUserProfile(account), L"UserInfo"));
  }
  std::wstring PopupText() {
    HWND popup = program->TopWindow(L"TMsgForm");
    return popup ? StaticTexts(popup) : L"";
  }

  std::optional<TProgram> program;
  HWND main = nullptr;
};

}  // namespace e2e
