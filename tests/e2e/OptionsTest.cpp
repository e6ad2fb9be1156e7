// The options page in the real program against the real agent and the prefix's real
// registry and service manager: start with the system through the Run value, run as
// the Windows service "Veltrano" (then started by the service manager, and the program
// talks to it), both undone; and the name server, speed and automatic sign-in as the
// agent stores them, also after a reload of the profile before Apply.
#include <gtest/gtest.h>

#include <optional>

#include "tests/e2e/MachineState.h"
#include "tests/e2e/ProgramFixture.h"

namespace {

using namespace e2e;
using namespace vt::test;

constexpr wchar_t kAutoRun[] = L"系统启动时自动运行";
constexpr wchar_t kService[] = L"作为 Windows 的服务（Service）运行";

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// Removes what a test may have left: the service (through the agent's own switch, or
// directly when that fails) and the Run value. A service that its agent does not leave
// in time is ended with the agent, so that no later test finds it.
void RemoveStartUp() {
  if (ServiceState()) RunAgentSwitch(L"-Uninstall");
  if (ServiceState() && !WaitFor([] { return ServiceState() == 0; })) {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceW(manager, kAgentName, DELETE);
    if (service) DeleteService(service), CloseServiceHandle(service);
    CloseServiceHandle(manager);
    KillAgents();
  }
  EXPECT_TRUE(WaitFor([] { return ServiceState() == 0; })) << StartUpDescription();
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kAgentName);
}

class OptionsTest : public ProgramTest {
 protected:
  void SetUp() override {
    RemoveStartUp();
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitFor([&] { return FindChild(main, L"", L"张伟") != nullptr; }));
  }
  // The prefix as the other tests expect it: no service, no Run value, and the agent
  // running as a plain background process.
  void TearDown() override {
    program.reset();
    RemoveStartUp();
    StartBackgroundAgent();
  }

  // Starts the program again, once the user page shows the signed-in user.
  void Restart() {
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(WaitFor([&] { return FindChild(main, L"", L"张伟") != nullptr; }));
  }
  HWND Child(HWND parent, const wchar_t* className, const std::wstring& text) {
    return WaitForChild(parent, className, text);
  }
  HWND OpenPage(const wchar_t* button, const wchar_t* pageClass) {
    return e2e::OpenPage(main, button, pageClass);
  }
  void ClickApply() { ASSERT_TRUE(PressApply(main)); }
  void Quit() {
    Click(Child(main, L"TPicBtn", L"取消"));
    ASSERT_TRUE(program->WaitForExit());
  }
};

TEST_F(OptionsTest, StartWithTheSystemThenAsAServiceThenNeither) {
  HWND page = OpenPage(L"选项设置", L"TPageOptions");
  ASSERT_NE(page, nullptr);
  HWND autoRun = Child(page, L"Button", kAutoRun);
  HWND service = Child(page, L"Button", kService);
  EXPECT_FALSE(Checked(autoRun) || IsWindowEnabled(service)) << StartUpDescription();

  Click(autoRun);
  ClickApply();
  const std::wstring quoted = L"\"" + InstallPath() + L"Orvanta.exe\"";
  EXPECT_TRUE(WaitFor([&] { return RunValue() == quoted; })) << StartUpDescription();
  EXPECT_EQ(ServiceState(), 0u);

  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(service) != FALSE; })) << StartUpDescription();
  Click(service);
  ClickApply();
  EXPECT_TRUE(WaitFor([] { return ServiceState() != 0 && !RunValue(); })) << StartUpDescription();

  // The next start of the program finds no agent running: the service manager starts
  // it, and the program talks to it as before.
  Quit();
  ASSERT_EQ(RunAgentSwitch(L"-Quit"), 0);
  Restart();
  EXPECT_TRUE(WaitFor([] { return ServiceState() == SERVICE_RUNNING; })) << StartUpDescription();
  page = OpenPage(L"选项设置", L"TPageOptions");
  ASSERT_NE(page, nullptr);
  autoRun = Child(page, L"Button", kAutoRun);
  service = Child(page, L"Button", kService);
  EXPECT_TRUE(WaitFor([&] { return Checked(autoRun) && Checked(service); }));
  EXPECT_NE(FindChild(page, L"ComboBox", L"ns1.veltrano.net"), nullptr);

  Click(autoRun);  // off: the service box follows in the same click
  EXPECT_TRUE(WaitFor([&] { return !Checked(service) && !IsWindowEnabled(service); }));
  ClickApply();
  EXPECT_TRUE(WaitFor([] { return ServiceState() == 0 && !RunValue(); })) << StartUpDescription();
  Quit();
}

// Another program under our Run value is no start-up of ours: the box stays clear, and
// ticking it puts the agent in its place.
TEST_F(OptionsTest, AForeignRunValueIsNoStartUpAndTickingReplacesIt) {
  Quit();
  const std::wstring foreign = L"C:\\other\\evil.exe /x";
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kAgentName, REG_SZ, foreign.c_str(),
                  static_cast<DWORD>((foreign.size() + 1) * sizeof(wchar_t)));
  Restart();
  HWND page = OpenPage(L"选项设置", L"TPageOptions");
  ASSERT_NE(page, nullptr);
  HWND autoRun = Child(page, L"Button", kAutoRun);
  EXPECT_FALSE(Checked(autoRun)) << StartUpDescription();
  Click(autoRun);
  ClickApply();
  const std::wstring quoted = L"\"" + InstallPath() + L"Orvanta.exe\"";
  EXPECT_TRUE(WaitFor([&] { return RunValue() == quoted; })) << StartUpDescription();
  Quit();
}

// A stored speed the bar cannot show stays stored when another option changes.
TEST_F(OptionsTest, ASpeedTheBarCannotShowStaysStored) {
  Quit();
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"LocalSetting.xml",
                            L"<LocalSetting><Host>ns1.veltrano.net</Host><HeartBeat>1200</HeartBeat>"
                            L"<AutoConnect>True</AutoConnect></LocalSetting>"));
  Restart();
  HWND page = OpenPage(L"选项设置", L"TPageOptions");
  ASSERT_NE(page, nullptr);
  Click(Child(page, L"Button", L"自动连接（签入）服务器"));
  ClickApply();
  std::wstring stored;
  EXPECT_TRUE(WaitFor([&] { return Contains(stored = StoredLocalSettings(), L"<AutoConnect>False</AutoConnect>"); }));
  EXPECT_TRUE(Contains(stored, L"<HeartBeat>1200</HeartBeat>")) << Narrow(stored);
  Quit();
}

TEST_F(OptionsTest, ServerSpeedAndSignInReachTheAgentThroughAReloadOfTheProfile) {
  HWND page = OpenPage(L"选项设置", L"TPageOptions");
  ASSERT_NE(page, nullptr);
  HWND server = Child(page, L"ComboBox", L"ns1.veltrano.net");
  ASSERT_NE(server, nullptr);
  PressKey(server, VK_DOWN);
  EXPECT_TRUE(WaitFor([&] { return WindowText(server) == L"ns2.veltrano.net"; }));
  HWND speed = Child(page, L"msctls_trackbar32", L"");
  ASSERT_EQ(SendMessageW(speed, 0x0400 /* TBM_GETPOS */, 0, 0), 1);  // 600
  PressKey(speed, VK_RIGHT);
  EXPECT_TRUE(WaitFor([&] { return SendMessageW(speed, 0x0400, 0, 0) == 2; }));
  Click(Child(page, L"Button", L"自动连接（签入）服务器"));

  // The profile is reloaded before Apply; the unsent options stay.
  HWND userPage = OpenPage(L"用户信息", L"TPageUser");
  HWND link = Child(userPage, L"Static", L"修改用户...");
  PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  HWND modify = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (modify = FindChild(main, L"TPageUserModify", L"")) && IsWindowVisible(modify); }));
  Click(Child(modify, L"", L"重载用户信息"));
  EXPECT_TRUE(WaitFor([] { return AgentCallCount("GetUserProfile") == 3; }));  // fetch, reload, fetch
  EXPECT_EQ(AgentCallCount("GetAppProfile"), 1);

  ClickApply();
  EXPECT_TRUE(WaitFor([] { return AgentCallCount("PutAppProfile") == 1; }));
  // The agent counts a call as it starts: the text is stored a moment later.
  std::wstring stored;
  WaitFor([&] { return (stored = StoredLocalSettings()).find(L"ns2.veltrano.net") != std::wstring::npos; });
  EXPECT_NE(stored.find(L"<Host>ns2.veltrano.net</Host>"), std::wstring::npos) << Narrow(stored);
  EXPECT_NE(stored.find(L"<HeartBeat>300</HeartBeat>"), std::wstring::npos);
  EXPECT_NE(stored.find(L"<AutoConnect>False</AutoConnect>"), std::wstring::npos);
  // The start-up boxes were not touched: nothing changed on the machine.
  EXPECT_TRUE(!RunValue() && ServiceState() == 0) << StartUpDescription();
  Quit();
}

}  // namespace
