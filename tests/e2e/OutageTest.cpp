// The real program through the agent's bad days: killed and started again, no usable
// user for a moment, the profile changed behind an unsent edit, hung, and unable to
// read its profile. Each leaves the background agent running and registered.
#include "tests/e2e/AccountPagesFixture.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>

#include "shell/AgentHealth.h"
#include "tests/e2e/MachineState.h"

namespace e2e {
namespace {

// Suspends (or resumes) every thread of every agent process: a hung agent.
void FreezeAgents(bool freeze) {
  const std::vector<DWORD> pids = AgentProcesses();
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (std::find(pids.begin(), pids.end(), entry.th32OwnerProcessID) == pids.end()) continue;
    if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
      freeze ? SuspendThread(thread) : ResumeThread(thread);
      CloseHandle(thread);
    }
  }
  CloseHandle(snapshot);
}

class OutageTest : public AccountPagesTest {
 protected:
  void TearDown() override {
    FreezeAgents(false);
    if (program) program->Terminate();
    program.reset();
    // Whatever agent is left (a COM-started one, or none) makes way for the background
    // agent the other tests expect.
    EXPECT_EQ(RunAgentSwitch(L"-Quit"), 0);
    StartBackgroundAgent();
    WaitFor([] { return !AgentProcesses().empty(); }, 5000);
    ResetAgentData();
  }

  // A new user name typed on the modification page and taken by its OK: an unsent edit.
  void EditUserName() {
    HWND page = OpenModifyPage();
    ASSERT_NE(page, nullptr);
    SetText(Child(page, L"Edit", L"张伟"), L"张伟明");
    Click(Child(page, L"Button", L"确定"));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Apply()) != FALSE; }));
  }
  HWND Apply() { return Child(main, L"TPicBtn", L"应用"); }
};

TEST_F(OutageTest, AKilledAgentStartedAgainTakesTheEditMadeBefore) {
  EditUserName();
  KillAgents();
  Sleep(300);  // the program finds the agent gone
  ResetAgentCallCounts();
  const ULONGLONG started = GetTickCount64();
  StartBackgroundAgent();
  ASSERT_TRUE(WaitFor([] { return AgentCallCount("IsOnline") >= 1; }));
  const ULONGLONG reconnectMs = GetTickCount64() - started;
  std::printf("the program used the agent again %llu ms after it was started again\n", reconnectMs);
  // About 1.3 s on a quiet machine (a lost agent is looked for once a second); the wait's
  // bound only catches a program that does not come back, not a busy machine.
  EXPECT_TRUE(IsWindowEnabled(Apply()));
  Click(Apply());
  EXPECT_TRUE(StoredHolds(L"<UserName>张伟明</UserName>"));
}

TEST_F(OutageTest, AnEditOutlivesAMomentWithoutUserButNotAChangeOfAccount) {
  EditUserName();
  WriteAgentState(L"", 2, true);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(Apply()); }));  // dropped
  Sleep(1000);
  WriteAgentState(kDemoProId, 2, true);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Apply()) != FALSE; }));  // back, marked
  Click(Apply());
  EXPECT_TRUE(StoredHolds(L"<UserName>张伟明</UserName>"));

  HWND page = OpenModifyPage();
  ASSERT_NE(page, nullptr);
  SetText(Child(page, L"Edit", L"张伟明"), L"张三");
  Click(Child(page, L"Button", L"确定"));
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(Apply()) != FALSE; }));
  WriteAgentState(L"", 2, true);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(Apply()); }));
  WriteAgentState(kDemoStdId, 2, true);
  EXPECT_TRUE(WaitFor([&] { return Contains(PopupText(), L"未发送的修改已被丢弃"); }))
      << Narrow(PopupText());
  EXPECT_TRUE(Contains(PopupText(), kDemoProDomain));
  EXPECT_FALSE(IsWindowEnabled(Apply()));
  EXPECT_FALSE(Contains(StoredUserProfile(kDemoProId), L"张三"));
  EXPECT_FALSE(Contains(StoredUserProfile(kDemoStdId), L"张三"));
}

TEST_F(OutageTest, AChangeMadeElsewhereIsNeverOverwrittenUnseen) {
  EditUserName();
  std::wstring outside = StoredUserProfile(kDemoProId);
  const size_t at = outside.find(L"zhang.wei@example.com");
  ASSERT_NE(at, std::wstring::npos);
  outside.replace(at, 21, L"zw@elsewhere.example");
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"Profiles\\pro.xml", outside));

  Click(Apply());
  EXPECT_TRUE(WaitFor([&] { return Contains(PopupText(), L"账户资料已在别处被修改"); }))
      << Narrow(PopupText());
  EXPECT_EQ(StoredUserProfile(kDemoProId), outside);
  EXPECT_TRUE(IsWindowEnabled(Apply()));  // the edit is kept
}

TEST_F(OutageTest, AHungAgentLeavesTheWindowAliveAndCancelEndsTheProgram) {
  FreezeAgents(true);
  // The user is told, and the window still takes typing while the call waits.
  EXPECT_TRUE(WaitFor([&] { return Contains(PopupText(), L"没有响应"); }, 8000))
      << Narrow(PopupText());
  std::vector<HWND> edits = Edits(userPage);
  ASSERT_FALSE(edits.empty());
  EXPECT_TRUE(TypeText(edits.front(), L"ABCD"));
  const ULONGLONG closing = GetTickCount64();
  Click(Child(main, L"TPicBtn", L"取消"));
  EXPECT_TRUE(program->WaitForExit(3000));
  std::printf("the program ended %llu ms after Cancel, the agent still hung\n",
              GetTickCount64() - closing);
  FreezeAgents(false);
}

TEST_F(OutageTest, ClosingWhileACommitWaitsForAHungAgentAsksFirst) {
  EditUserName();
  FreezeAgents(true);
  Click(Apply());
  // Clicked before the user is told that the agent does not answer: the click waits
  // in the queue until then, while the profile is on its way.
  Click(Child(main, L"TPicBtn", L"取消"));
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = program->TopWindow(L"#32770")) && IsWindowVisible(box); }))
      << (program->Running() ? "no question" : "the program ended");
  EXPECT_EQ(WindowText(box), L"维特兰诺用户管理");
  EXPECT_TRUE(Contains(StaticTexts(box), L"尚未保存")) << Narrow(StaticTexts(box));
  EXPECT_EQ(GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  PostMessageW(box, WM_COMMAND, IDNO, 0);
  FreezeAgents(false);
  EXPECT_TRUE(StoredHolds(L"<UserName>张伟明</UserName>"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(Apply()); }));
  EXPECT_TRUE(program->Running());
}

TEST_F(OutageTest, AHungAgentMeetsTheParentSearchInThePopupAloneNeverInABox) {
  Click(Child(main, L"TPicBtn", L"域名层次"));
  HWND page = nullptr, dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (page = FindChild(main, L"TPageHierarchyPro", L"")) && IsWindowVisible(page); }));
  Click(FindChild(FindChild(page, L"Button", L" 父  域 "), L"Button", L"增  加..."));
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindChild(main, L"TPageParent", L"")) && IsWindowVisible(dialog); }));
  HWND edit = Edits(dialog).at(0), list = FindChild(dialog, L"ListBox", L"");
  auto matches = [&] { return SendMessageW(list, LB_GETCOUNT, 0, 0); };
  bool boxSeen = false;
  // Every wait below also looks for a modal box of the program.
  auto waitFor = [&](const std::function<bool()>& done, DWORD timeoutMs) {
    return WaitFor([&] {
      boxSeen = boxSeen || program->TopWindow(L"#32770");
      return done();
    }, timeoutMs);
  };
  ASSERT_TRUE(TypeText(edit, L"club"));
  ASSERT_TRUE(waitFor([&] { return matches() > 0; }, 5000));

  FreezeAgents(true);  // the poll's next call waits
  ASSERT_TRUE(waitFor([&] { return Contains(PopupText(), L"没有响应"); }, 8000));
  ASSERT_TRUE(TypeText(edit, L"clubs"));
  // The search cleared the list and was refused at once: the poll's call still waits.
  EXPECT_TRUE(waitFor([&] { return matches() == 0; }, 5000));
  KillAgents();
  ASSERT_TRUE(waitFor([&] { return Contains(PopupText(), L"无法连接代理程序"); }, 8000))
      << Narrow(PopupText()) << (boxSeen ? ", a modal box beside it" : "");
  ResetAgentCallCounts();
  StartBackgroundAgent();
  ASSERT_TRUE(waitFor([] { return AgentCallCount("IsOnline") >= 1; }, 10000));
  ASSERT_TRUE(TypeText(edit, L"club"));
  EXPECT_TRUE(waitFor([&] { return matches() > 0; }, 5000));  // the dialog searches again
  EXPECT_FALSE(boxSeen);
  EXPECT_FALSE(Contains(PopupText(), L"RPC"));
}

TEST_F(OutageTest, DamagedDocumentsAtStartAreToldOnceWithTheReasonAndWhatToDo) {
  const std::wstring whole = StoredUserProfile(kDemoProId);
  program.reset();
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"Profiles\\pro.xml", L"<UserInfo><Domain>"));
  ResetAgentCallCounts();
  program.emplace(kProgram);
  main = program->WaitForTopWindow(kMainClass);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] {
    return Contains(PopupText(), L"用户资料无法读取：代理数据文件已损坏：Profiles\\pro.xml");
  })) << Narrow(PopupText());
  EXPECT_TRUE(Contains(PopupText(), L"或用注册码更换用户。"));
  // Told once: closed, the popup stays hidden while the poll keeps fetching in vain.
  HWND popup = program->TopWindow(L"TMsgForm");
  PostMessageW(popup, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(popup); }));
  const long fetches = AgentCallCount("GetUserProfile");
  ASSERT_TRUE(WaitFor([&] { return AgentCallCount("GetUserProfile") >= fetches + 10; }));
  EXPECT_FALSE(IsWindowVisible(popup));

  // The local settings the same way, once the profile is whole.
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"LocalSetting.xml", L"<Other/>"));
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"Profiles\\pro.xml", whole));
  EXPECT_TRUE(WaitFor([&] { return Contains(PopupText(), L"本地设置无法读取"); })) << Narrow(PopupText());
  EXPECT_TRUE(Contains(PopupText(), L"或删除它以使用默认设置。"));
}

TEST_F(OutageTest, AnUnreadableProfileBeepsOnceAndSaysWhy) {
  // The documents are dropped while no user is set, and the damaged profile is what the
  // poll then fetches on every tick.
  ResetAgentCallCounts();
  WriteAgentState(L"", 2, true);
  ASSERT_TRUE(WaitFor([] { return AgentCallCount("GetUserState") >= 4; }));  // two ticks at least
  // Counted from here: a state file caught half written above may have made a beep.
  HANDLE beeps = CreateSemaphoreW(nullptr, 0, 1000,
                                  PollBeepSemaphoreName(program->ProcessId()).c_str());
  ASSERT_NE(beeps, nullptr);
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"Profiles\\pro.xml", L"<UserInfo><Domain>"));
  WriteAgentState(kDemoProId, 2, true);
  ResetAgentCallCounts();
  EXPECT_TRUE(WaitFor([] { return AgentCallCount("GetUserProfile") >= 10; }));  // ten failing ticks
  int count = 0;
  while (WaitForSingleObject(beeps, 0) == WAIT_OBJECT_0) ++count;
  CloseHandle(beeps);
  std::printf("%d beep(s) in %ld failing profile fetches\n", count, AgentCallCount("GetUserProfile"));
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(Contains(PopupText(), L"代理数据文件已损坏：Profiles\\pro.xml")) << Narrow(PopupText());
}

}  // namespace
}  // namespace e2e
