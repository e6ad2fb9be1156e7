// The real program's poll against the real agent: it reaches the agent on every
// tick, fetches the documents once, sends nothing unless something was edited, and
// lives through an agent that goes away.
#include <gtest/gtest.h>

#include "tests/support/AgentData.h"
#include "tests/e2e/E2eSupport.h"

namespace {

using namespace e2e;
using namespace vt::test;

constexpr wchar_t kProgram[] = L"VTUserCnfg.exe";
constexpr wchar_t kMainClass[] = L"TCnfgMain";

class PollTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAgentData();
    ResetAgentCallCounts();
  }
};

TEST_F(PollTest, ReachesTheAgentFetchesOnceAndOkSendsNothing) {
  TProgram program(kProgram);
  HWND main = program.WaitForTopWindow(kMainClass);
  ASSERT_NE(main, nullptr);
  // Three agent calls a tick (on-line state, sign-in state twice), every 100 ms.
  ASSERT_TRUE(WaitFor([] { return AgentCallCount("GetUserState") >= 20; }))
      << AgentCallCount("GetUserState") << " state calls, " << AgentCallCount("IsOnline")
      << " on-line calls";
  EXPECT_GE(AgentCallCount("IsOnline"), 10);
  EXPECT_EQ(AgentCallCount("GetUserProfile"), 1);
  EXPECT_EQ(AgentCallCount("GetAppProfile"), 1);
  EXPECT_EQ(AgentCallCount("Start"), 1);

  Click(FindChild(main, L"TPicBtn", L"确定"));
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(AgentCallCount("PutUserProfile"), 0);
  EXPECT_EQ(AgentCallCount("PutAppProfile"), 0);
}

TEST_F(PollTest, SigningOutAndInElsewhereKeepsTheDocuments) {
  TProgram program(kProgram);
  ASSERT_NE(program.WaitForTopWindow(kMainClass), nullptr);
  ASSERT_TRUE(WaitFor([] { return AgentCallCount("GetUserProfile") == 1; }));
  WriteAgentState(kDemoProId, 3, false);  // signed out: the documents stay
  const long ticks = AgentCallCount("IsOnline");
  ASSERT_TRUE(WaitFor([&] { return AgentCallCount("IsOnline") >= ticks + 5; }));
  EXPECT_EQ(AgentCallCount("GetUserProfile"), 1);
  WriteAgentState(L"", 3, false);  // no usable user: dropped, then fetched again
  ASSERT_TRUE(WaitFor([&] { return AgentCallCount("IsOnline") >= ticks + 10; }));
  WriteAgentState(kDemoProId, 2, true);
  EXPECT_TRUE(WaitFor([] { return AgentCallCount("GetUserProfile") == 2; }));
}

TEST_F(PollTest, AnAgentThatGoesAwayOnlyMakesThePollBeep) {
  TProgram program(kProgram);
  HWND main = program.WaitForTopWindow(kMainClass);
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(RunAgentSwitch(L"-Quit"), 0);
  Sleep(1000);  // ten failing ticks
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(program.TopWindow(L"#32770"), nullptr);  // no error box
  Click(FindChild(main, L"TPicBtn", L"取消"));
  EXPECT_TRUE(program.WaitForExit());
  StartBackgroundAgent();
}

TEST(Startup, UnregisteredAgentIsReportedAndEndsStartUp) {
  ASSERT_EQ(RunAgentSwitch(L"-Quit"), 0);
  ASSERT_EQ(RunAgentSwitch(L"-UnregServer"), 0);
  {
    TProgram program(kProgram);
    HWND box = program.WaitForTopWindow(L"#32770");
    EXPECT_NE(box, nullptr);
    if (box) {
      // What is wrong and what to do about it.
      const std::wstring text = StaticTexts(box);
      EXPECT_NE(text.find(L"代理程序 Orvanta.exe 没有安装或没有注册"), std::wstring::npos)
          << Narrow(text);
      EXPECT_NE(text.find(L"Orvanta.exe -RegServer"), std::wstring::npos) << Narrow(text);
      EXPECT_EQ(program.TopWindow(kMainClass), nullptr);
      PressOk(box);
    }
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_EQ(program.ExitCode(), 1u);
  }
  EXPECT_EQ(RunAgentSwitch(L"-RegServer"), 0);
  StartBackgroundAgent();
}

}  // namespace
