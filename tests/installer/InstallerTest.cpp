// The setup program as an administrator uses it, in a Wine prefix of its own (see
// run-installer-test.sh): silent installs into folders with blanks, the installed
// program working against the installed agent, the start-up choices made on the
// options page, an upgrade over a running copy and one from an earlier version with a
// file this one no longer ships, and uninstalls, waited for in place, that leave nothing
// of ours behind except, unless asked, the agent's data.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "agent/AgentIntf.h"
#include "orvanta/Registration.h"
#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/MachineState.h"
#include "tests/installer/Shipped.h"
#include "tests/support/AgentData.h"
#include "tests/support/TestPaths.h"

namespace {

using namespace e2e;

constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veltrano";
constexpr wchar_t kMainClass[] = L"TCnfgMain";
constexpr DWORD kSetupTimeoutMs = 90000;

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names in a folder, "." and ".." left out.
std::vector<std::wstring> FolderEntries(const std::wstring& dir) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

bool ProcessRunning(DWORD id) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return false;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

std::wstring StartMenuFolder() {
  wchar_t programs[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
  return std::wstring(programs) + L"\\Veltrano";
}

std::wstring LocalSettings() { return vt::test::ReadUtf8File(vt::test::AgentDataDir() + L"LocalSetting.xml"); }

// The working folder the Start-menu entry starts the program in, as stored.
std::wstring ShortcutWorkingFolder() {
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t folder[MAX_PATH] = L"?";
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load((StartMenuFolder() + L"\\维特兰诺用户管理.lnk").c_str(), STGM_READ)))
    link->GetWorkingDirectory(folder, MAX_PATH);
  if (file) file->Release();
  if (link) link->Release();
  return folder;
}

// Runs a program to its end; its exit code, or STILL_ACTIVE when it did not end in time.
DWORD RunToEnd(const std::wstring& exe, const std::wstring& arguments, const std::wstring& workDir) {
  TProgram program(exe, arguments, workDir);
  if (!program.WaitForExit(kSetupTimeoutMs)) return STILL_ACTIVE;
  return program.ExitCode();
}

// A setup program silently, with switches (a folder goes last, "/D=..." unquoted): this
// version's from the download folder, or the earlier version's beside the test.
DWORD RunSetup(const std::wstring& switches) {
  const std::wstring dist = vt::test::TestExeDir() + L"..\\dist\\";
  return RunToEnd(dist + kSetupName, L"/S " + switches, dist);
}
DWORD RunEarlierSetup(const std::wstring& switches) {
  return RunToEnd(vt::test::TestExeDir() + kEarlierSetupName, L"/S " + switches,
                  vt::test::TestExeDir());
}

// Removes the product silently the way the README tells a script that waits for the
// end: the uninstaller in place ("_?=" and the install folder last, unquoted), whose
// end is the end of the removal; it cannot delete itself, so the caller then deletes it
// and the folder. Run in the ordinary way it would hand over to a copy of itself and
// return at once.
void Uninstall(const std::wstring& dir, const std::wstring& switches = L"") {
  EXPECT_EQ(MachineString(kUninstallKey, L"UninstallString"), L"\"" + dir + L"\\Uninstall.exe\"");
  ASSERT_EQ(RunToEnd(dir + L"\\Uninstall.exe", L"/S " + switches + L" _?=" + dir, dir), 0u);
  // Done when it has ended: the entry it removes last is gone, and the uninstaller is
  // all that is left in the folder.
  EXPECT_FALSE(MachineKeyExists(kUninstallKey));
  EXPECT_EQ(FolderEntries(dir), std::vector<std::wstring>{L"Uninstall.exe"});
  EXPECT_TRUE(DeleteFileW((dir + L"\\Uninstall.exe").c_str()));
  EXPECT_TRUE(RemoveDirectoryW(dir.c_str()));
}

// The names in the folder, sorted, against the shipped files and the uninstaller.
std::vector<std::wstring> SortedEntries(const std::wstring& dir) {
  std::vector<std::wstring> entries = FolderEntries(dir);
  std::sort(entries.begin(), entries.end());
  return entries;
}
std::vector<std::wstring> ShippedWithUninstaller() {
  std::vector<std::wstring> expected(std::begin(kShippedFiles), std::end(kShippedFiles));
  expected.push_back(L"Uninstall.exe");
  std::sort(expected.begin(), expected.end());
  return expected;
}

// Every shipped file in the folder is the build's own.
void ExpectShippedFiles(const std::wstring& dir) {
  for (const wchar_t* name : kShippedFiles) {
    const std::string installed = FileBytes(dir + L"\\" + name);
    EXPECT_FALSE(installed.empty()) << Narrow(name);
    EXPECT_TRUE(installed == FileBytes(vt::test::ProductDir() + name)) << Narrow(name);
  }
}

// No file, key, service or Run value of ours is left (the folder itself may remain
// with the agent's data in it).
void ExpectNothingOfOursLeft(const std::wstring& dir) {
  for (const wchar_t* name : kShippedFiles) EXPECT_FALSE(Exists(dir + L"\\" + name)) << Narrow(name);
  EXPECT_FALSE(Exists(dir + L"\\Uninstall.exe"));
  EXPECT_FALSE(Exists(dir + L"\\TDNL.kvf"));
  EXPECT_FALSE(Exists(StartMenuFolder()));
  const std::wstring classes = L"SOFTWARE\\Classes\\";
  for (const std::wstring& key :
       {std::wstring(kUninstallKey), std::wstring(L"SOFTWARE\\Tavrinel"),
        classes + L"CLSID\\" + GuidText(CLSID_CoSvcInvoker),
        classes + L"CLSID\\" + GuidText(CLSID_CoUserManager),
        classes + L"TypeLib\\" + GuidText(LIBID_OrvantaLib),
        classes + L"Interface\\" + GuidText(IID_ISvcInvoker),
        classes + L"Interface\\" + GuidText(IID_IUserManager), classes + L"AppID\\" + kAppIdText,
        classes + L"Orvanta.SvcInvoker", classes + L"Orvanta.UserManager.1"})
    EXPECT_FALSE(MachineKeyExists(key)) << Narrow(key);
  EXPECT_EQ(RunValue(), std::nullopt);
  EXPECT_EQ(ServiceState(), 0u);
  EXPECT_TRUE(AgentProcesses().empty());
}

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class InstallerTest : public ::testing::Test {
 protected:
  // A copy left by a failed test is removed first, so that the next install is new.
  void SetUp() override {
    if (std::optional<std::wstring> dir = MachineString(kUninstallKey, L"InstallLocation"))
      Uninstall(*dir, L"/REMOVEDATA");
  }

  // Starts the installed program as its Start-menu entry does (in the user's local
  // application data folder) and waits for its main window with the demo account.
  void StartProgram(const std::wstring& dir) {
    wchar_t workDir[MAX_PATH] = {};
    ExpandEnvironmentStringsW(L"%LOCALAPPDATA%", workDir, MAX_PATH);
    program.emplace(dir + L"\\VTUserCnfg.exe", L"", workDir);
    main = program->WaitForTopWindow(kMainClass, 30000);
    // A program that could not start shows why in a message box.
    HWND box = main ? nullptr : program->TopWindow(L"#32770");
    ASSERT_NE(main, nullptr) << (box ? Narrow(StaticTexts(box)) : "no window");
    ASSERT_TRUE(WaitFor([&] { return FindChild(main, L"", L"张伟") != nullptr; }, 30000));
  }
  void QuitProgram() {
    Click(WaitForChild(main, L"TPicBtn", L"取消"));
    EXPECT_TRUE(program->WaitForExit());
  }
  struct TStartUpBoxes {
    HWND page, autoRun, service;
  };
  TStartUpBoxes OpenOptions() {
    HWND page = OpenPage(main, L"选项设置", L"TPageOptions");
    if (!page) return {};
    return {page, WaitForChild(page, L"Button", L"系统启动时自动运行"),
            WaitForChild(page, L"Button", L"作为 Windows 的服务（Service）运行")};
  }

  std::optional<TProgram> program;
  HWND main = nullptr;
};

TEST_F(InstallerTest, InstallUseUpgradeWhileRunningAndUninstallKeepingTheData) {
  const std::wstring dir = L"C:\\Program Files\\Veltrano DNS Client";
  ASSERT_EQ(RunSetup(L"/AUTORUN=0 /D=" + dir), 0u);
  ExpectShippedFiles(dir);
  EXPECT_EQ(InstallPath(), dir + L"\\");
  EXPECT_EQ(MachineString(L"SOFTWARE\\Classes\\CLSID\\" + GuidText(CLSID_CoUserManager) + L"\\LocalServer32", nullptr),
            L"\"" + dir + L"\\Orvanta.exe\"");
  EXPECT_EQ(MachineString(kUninstallKey, L"UninstallString"), L"\"" + dir + L"\\Uninstall.exe\"");
  EXPECT_TRUE(Exists(StartMenuFolder() + L"\\维特兰诺用户管理.lnk"));
  EXPECT_EQ(ShortcutWorkingFolder(), L"%LOCALAPPDATA%");
  EXPECT_EQ(RunValue(), std::nullopt);
  EXPECT_EQ(ServiceState(), 0u);

  // The installed program against the installed agent: start-up as a service and a
  // faster update chosen on the options page.
  ASSERT_NO_FATAL_FAILURE(StartProgram(dir));
  TStartUpBoxes boxes = OpenOptions();
  ASSERT_NE(boxes.service, nullptr);
  EXPECT_FALSE(Checked(boxes.autoRun) || Checked(boxes.service));
  Click(boxes.autoRun);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(boxes.service) != FALSE; }));
  Click(boxes.service);
  PressKey(WaitForChild(boxes.page, L"msctls_trackbar32", L""), VK_RIGHT);  // 600 -> 300
  ASSERT_TRUE(PressApply(main));
  EXPECT_TRUE(WaitFor([] { return ServiceState() != 0 && !RunValue(); }, 20000));
  EXPECT_TRUE(WaitFor([&] { return LocalSettings().find(L"<HeartBeat>300</HeartBeat>") != std::wstring::npos; }));
  const std::wstring settings = LocalSettings();
  QuitProgram();

  // Upgrade over the running program and agent, with two shipped files damaged.
  ASSERT_NO_FATAL_FAILURE(StartProgram(dir));
  ASSERT_TRUE(vt::test::WriteUtf8File(dir + L"\\AppProfile.xml", L"stale"));
  ASSERT_TRUE(DeleteFileW((dir + L"\\popup.bmp").c_str()));
  const std::vector<DWORD> agents = AgentProcesses();
  ASSERT_FALSE(agents.empty());
  ASSERT_EQ(RunSetup(L""), 0u);
  EXPECT_TRUE(program->WaitForExit());  // closed by the setup program
  for (DWORD agent : agents) EXPECT_FALSE(ProcessRunning(agent));  // stopped before the copy
  ExpectShippedFiles(dir);
  EXPECT_EQ(InstallPath(), dir + L"\\");
  EXPECT_EQ(LocalSettings(), settings);
  EXPECT_TRUE(WaitFor([] { return ServiceState() == SERVICE_RUNNING; }, 20000));  // kept, and started
  EXPECT_EQ(RunValue(), std::nullopt);
  ASSERT_NO_FATAL_FAILURE(StartProgram(dir));
  boxes = OpenOptions();
  ASSERT_NE(boxes.service, nullptr);
  EXPECT_TRUE(WaitFor([&] { return Checked(boxes.autoRun) && Checked(boxes.service); }));

  // Upgrade again, now with the program served by the running service: the service's
  // agent ends before the copy, and the service runs again after it.
  const std::vector<DWORD> serviceAgents = AgentProcesses();
  ASSERT_FALSE(serviceAgents.empty());
  ASSERT_EQ(RunSetup(L""), 0u);
  EXPECT_TRUE(program->WaitForExit());
  for (DWORD agent : serviceAgents) EXPECT_FALSE(ProcessRunning(agent));
  EXPECT_TRUE(WaitFor([] { return ServiceState() == SERVICE_RUNNING; }, 20000));
  EXPECT_EQ(LocalSettings(), settings);
  ASSERT_NO_FATAL_FAILURE(StartProgram(dir));

  // Nothing was written into the install folder but what the setup program put there.
  EXPECT_EQ(SortedEntries(dir), ShippedWithUninstaller());

  // Uninstall while the program runs: the service goes, the data stays where it is.
  ASSERT_NO_FATAL_FAILURE(Uninstall(dir));
  EXPECT_TRUE(program->WaitForExit());
  ExpectNothingOfOursLeft(dir);
  EXPECT_FALSE(Exists(dir));
  EXPECT_EQ(LocalSettings(), settings);
}

TEST_F(InstallerTest, SilentSwitchesChooseStartUpAndRemovalCanTakeTheData) {
  const std::wstring dir = L"C:\\Program Files\\Veltrano Two";
  // Contradicting or unreadable switches install nothing.
  for (const wchar_t* bad : {L"/AUTORUN=0 /SERVICE=1", L"/SERVICE=yes", L"/AUTORUN="}) {
    EXPECT_EQ(RunSetup(std::wstring(bad) + L" /D=" + dir), 2u) << Narrow(bad);
    EXPECT_FALSE(Exists(dir));
  }

  // By default the agent starts with the system through the quoted Run value.
  ASSERT_EQ(RunSetup(L"/D=" + dir), 0u);
  EXPECT_EQ(RunValue(), L"\"" + dir + L"\\Orvanta.exe\"");
  EXPECT_EQ(ServiceState(), 0u);
  ASSERT_EQ(RunToEnd(dir + L"\\Orvanta.exe", L"-Reset", dir), 0u);  // the agent's data
  const std::wstring data = vt::test::AgentDataDir();
  ASSERT_TRUE(Exists(data + L"Accounts.xml"));

  // An earlier version kept the data beside the agent: the upgrade takes it over, whole,
  // and removes it from the install folder.
  const std::wstring legacy = dir + L"\\OrvantaData";
  ASSERT_TRUE(vt::test::WriteUtf8File(data + L"LocalSetting.xml", L"<LocalSetting><Host>kept.example</Host></LocalSetting>"));
  const std::string accounts = FileBytes(data + L"Accounts.xml");
  ASSERT_TRUE(MoveFileExW(data.substr(0, data.size() - 1).c_str(), legacy.c_str(), MOVEFILE_COPY_ALLOWED));
  ASSERT_EQ(RunSetup(L""), 0u);
  EXPECT_FALSE(Exists(legacy));
  EXPECT_EQ(FileBytes(data + L"Accounts.xml"), accounts);
  EXPECT_EQ(LocalSettings(), L"<LocalSetting><Host>kept.example</Host></LocalSetting>");
  EXPECT_TRUE(Exists(data + L"Profiles\\std.xml"));

  ASSERT_NO_FATAL_FAILURE(Uninstall(dir, L"/REMOVEDATA"));
  ExpectNothingOfOursLeft(dir);
  EXPECT_FALSE(Exists(dir));
  EXPECT_FALSE(Exists(data));
}

// The service's description, and setting it as an administrator would.
std::wstring ServiceDescription() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service = manager ? OpenServiceW(manager, kAgentName, SERVICE_QUERY_CONFIG) : nullptr;
  std::wstring text;
  if (service) {
    std::vector<BYTE> buffer(8192);
    DWORD needed = 0;
    auto* description = reinterpret_cast<SERVICE_DESCRIPTIONW*>(buffer.data());
    if (QueryServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, buffer.data(),
                             static_cast<DWORD>(buffer.size()), &needed) &&
        description->lpDescription)
      text = description->lpDescription;
    CloseServiceHandle(service);
  }
  if (manager) CloseServiceHandle(manager);
  return text;
}

bool SetServiceDescription(const std::wstring& text) {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service = manager ? OpenServiceW(manager, kAgentName, SERVICE_CHANGE_CONFIG) : nullptr;
  SERVICE_DESCRIPTIONW description{const_cast<wchar_t*>(text.c_str())};
  const bool ok =
      service && ChangeServiceConfig2W(service, SERVICE_CONFIG_DESCRIPTION, &description);
  if (service) CloseServiceHandle(service);
  if (manager) CloseServiceHandle(manager);
  return ok;
}

// An earlier version shipped a file this one does not: the upgrade has the installed
// uninstaller remove that version's files first, and waits for it, so the folder holds
// exactly this version's files afterwards; the service, with what an administrator set
// on it, stays through the upgrade.
TEST_F(InstallerTest, AnUpgradeRemovesTheFilesOfTheEarlierVersionThatThisOneNoLongerShips) {
  const std::wstring dir = L"C:\\Program Files\\Veltrano Earlier";
  ASSERT_EQ(RunEarlierSetup(L"/SERVICE=1 /D=" + dir), 0u);
  ASSERT_TRUE(Exists(dir + L"\\" + kRetiredFile));
  EXPECT_EQ(MachineString(kUninstallKey, L"DisplayVersion"), L"3.1.0");
  ASSERT_TRUE(WaitFor([] { return ServiceState() == SERVICE_RUNNING; }, 20000));
  ASSERT_TRUE(SetServiceDescription(L"set by the administrator"));

  ASSERT_EQ(RunSetup(L""), 0u);
  EXPECT_FALSE(Exists(dir + L"\\" + kRetiredFile));
  ExpectShippedFiles(dir);
  EXPECT_EQ(SortedEntries(dir), ShippedWithUninstaller());
  EXPECT_NE(MachineString(kUninstallKey, L"DisplayVersion"), L"3.1.0");
  EXPECT_EQ(MachineString(kUninstallKey, L"InstallLocation"), dir);
  EXPECT_EQ(InstallPath(), dir + L"\\");
  EXPECT_TRUE(WaitFor([] { return ServiceState() == SERVICE_RUNNING; }, 20000));
  EXPECT_EQ(ServiceDescription(), L"set by the administrator");
  EXPECT_EQ(RunValue(), std::nullopt);

  ASSERT_NO_FATAL_FAILURE(Uninstall(dir, L"/REMOVEDATA"));
  ExpectNothingOfOursLeft(dir);
  EXPECT_FALSE(Exists(dir));
}

}  // namespace
