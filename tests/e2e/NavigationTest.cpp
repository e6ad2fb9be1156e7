// The real program's navigation: each navigation button shows its page in the page
// area, the section pages follow the account's service type, and the notification
// popup exists from start-up, hidden.
#include <gtest/gtest.h>

#include "tests/support/AgentData.h"
#include "tests/e2e/E2eSupport.h"

namespace {

using namespace e2e;
using namespace vt::test;

constexpr wchar_t kProgram[] = L"VTUserCnfg.exe";
constexpr wchar_t kMainClass[] = L"TCnfgMain";

struct TNavStep {
  const wchar_t* button;
  const wchar_t* page;
};

// The visible page of the main window: the class of its one shown page child.
std::wstring ShownPage(HWND main) {
  std::wstring shown;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring name = ClassName(child);
    if (name.rfind(L"TPage", 0) == 0 && IsWindowVisible(child)) shown += (shown.empty() ? L"" : L",") + name;
  }
  return shown;
}

// What the program shows besides its main window (an error box), for failure messages.
std::string Boxes(const TProgram& program) {
  HWND box = program.TopWindow(L"#32770");
  return box ? " with a box: " + Narrow(StaticTexts(box)) : "";
}

void WalkTheNavigation(const std::vector<TNavStep>& steps) {
  TProgram program(kProgram);
  HWND main = program.WaitForTopWindow(kMainClass);
  ASSERT_NE(main, nullptr);
  // The section buttons choose by the service type only once a profile is held.
  ASSERT_TRUE(WaitFor([] { return AgentCallCount("GetAppProfile") >= 1; }));
  EXPECT_TRUE(WaitFor([&] { return ShownPage(main) == L"TPageUser"; })) << Narrow(ShownPage(main));
  for (const TNavStep& step : steps) {
    HWND button = FindChild(main, L"TPicBtn", step.button);
    ASSERT_NE(button, nullptr) << Narrow(step.button);
    Click(button);
    EXPECT_TRUE(WaitFor([&] { return ShownPage(main) == step.page; }))
        << Narrow(step.button) << " shows " << Narrow(ShownPage(main)) << Boxes(program);
  }
}

class NavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAgentData();
    ResetAgentCallCounts();
  }
};

TEST_F(NavigationTest, EachButtonShowsItsPageAndAProfessionalAccountGetsTheProfessionalPages) {
  WalkTheNavigation({{L"域名设置", L"TPageDnsPro"},
                     {L"资源记录", L"TPageRRsPro"},
                     {L"域名层次", L"TPageHierarchyPro"},
                     {L"站点信息", L"TPageInfo"},
                     {L"选项设置", L"TPageOptions"},
                     {L"用户信息", L"TPageUser"},
                     {L"域名设置", L"TPageDnsPro"}});
}

TEST_F(NavigationTest, AStandardAccountGetsTheStandardPages) {
  WriteAgentState(kDemoStdId, 2, true);
  WalkTheNavigation({{L"域名设置", L"TPageDnsStd"},
                     {L"资源记录", L"TPageRRsStd"},
                     {L"域名层次", L"TPageHierarchyStd"}});
}

// Automation tools send the click and wait; the program still reaches the agent.
TEST_F(NavigationTest, AClickSentByAnotherProgramStillReachesTheAgent) {
  TProgram program(kProgram);
  HWND main = program.WaitForTopWindow(kMainClass);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitFor([] { return AgentCallCount("GetAppProfile") >= 1; }));
  DWORD_PTR result = 0;
  SendMessageTimeoutW(FindChild(main, L"TPicBtn", L"域名设置"), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG,
                      kPatienceMs, &result);
  EXPECT_TRUE(WaitFor([&] { return ShownPage(main) == L"TPageDnsPro"; })) << Boxes(program);
  EXPECT_EQ(program.TopWindow(L"#32770"), nullptr);
}

TEST_F(NavigationTest, ThePopupExistsHiddenFromStartUp) {
  TProgram program(kProgram);
  ASSERT_NE(program.WaitForTopWindow(kMainClass), nullptr);
  HWND popup = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    for (HWND w : TopWindows(L""))
      if (WindowText(w) == L"维特兰诺消息") {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == program.ProcessId()) popup = w;
      }
    return popup != nullptr;
  }));
  if (popup) EXPECT_FALSE(IsWindowVisible(popup));
}

}  // namespace
