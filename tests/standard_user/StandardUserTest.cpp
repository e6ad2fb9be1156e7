// The installed product as a standard user meets it: run by a user of its own whose
// install folder under "Program Files" is read-only (run-standard-user-test.sh makes
// both), the program and the agent keep everything they write where such a user may
// write, machine-wide changes go through the agent's elevated switches, and nothing is
// ever written into the install folder. The script runs the data-folder test first,
// with the agent's data folder made unwritable, then the rest with it restored.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "tests/e2e/E2eSupport.h"
#include "tests/e2e/MachineState.h"
#include "tests/support/AgentData.h"
#include "toolkit/SystemError.h"
#include "profile/XmlValue.h"

namespace {

using namespace e2e;
using namespace vt::test;

constexpr wchar_t kInstallDir[] = L"C:\\Program Files\\Veltrano\\";
constexpr wchar_t kMainClass[] = L"TCnfgMain";

std::wstring Expanded(const wchar_t* text) {
  wchar_t expanded[MAX_PATH] = {};
  ExpandEnvironmentStringsW(text, expanded, MAX_PATH);
  return expanded;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }
bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Every file below the folder with its size and time of last write, as one sorted list.
std::vector<std::wstring> Snapshot(const std::wstring& folder) {
  std::vector<std::wstring> entries;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const std::wstring& inner : Snapshot(folder + name + L"\\")) entries.push_back(name + L"\\" + inner);
      continue;
    }
    entries.push_back(name + L" " + std::to_wstring(found.nFileSizeLow) + L" " +
                      std::to_wstring(found.ftLastWriteTime.dwLowDateTime));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(entries.begin(), entries.end());
  return entries;
}

class StandardUserTest : public ::testing::Test {
 protected:
  // Starts the installed program in the read-only install folder (the working folder an
  // older shortcut gave it) and waits for its main window.
  void StartProgram() {
    program.emplace(std::wstring(kInstallDir) + L"VTUserCnfg.exe", L"", kInstallDir);
    main = program->WaitForTopWindow(kMainClass, 30000);
    HWND box = main ? nullptr : program->TopWindow(L"#32770");
    ASSERT_NE(main, nullptr) << (box ? Narrow(StaticTexts(box)) : "no window");
  }
  HWND Child(HWND parent, const wchar_t* className, const std::wstring& text) {
    return WaitForChild(parent, className, text, 10000);
  }
  void Apply() { ASSERT_TRUE(PressApply(main)); }
  HWND StartUpBox(HWND optionsPage) { return Child(optionsPage, L"Button", L"系统启动时自动运行"); }
  std::vector<HWND> HostOctets(HWND recordsPage) {
    return FindChildren(FindChild(recordsPage, L"TBGIPEdit", L""), L"Edit");
  }

  std::optional<TProgram> program;
  HWND main = nullptr;
};

TEST_F(StandardUserTest, AnUnwritableDataFolderIsReportedWithItsPathAndTheReason) {
  program.emplace(std::wstring(kInstallDir) + L"VTUserCnfg.exe", L"", kInstallDir);
  HWND box = nullptr;
  std::wstring text;  // the box may show before its text does
  WaitFor([&] { return (box = program->TopWindow(L"#32770")) && !(text = StaticTexts(box)).empty(); }, 30000);
  ASSERT_NE(box, nullptr);
  const std::wstring folder = AgentDataDir();
  EXPECT_TRUE(Contains(text, L"无法保存代理数据：" + folder.substr(0, folder.size() - 1))) << Narrow(text);
  EXPECT_TRUE(Contains(text, SystemErrorText(ERROR_ACCESS_DENIED))) << Narrow(text);
  EXPECT_EQ(program->TopWindow(kMainClass), nullptr);  // no window with an empty account
  PressOk(box);
  EXPECT_TRUE(program->WaitForExit(15000));
  EXPECT_FALSE(Exists(folder));
}

TEST_F(StandardUserTest, TheInstalledProductWorksAndWritesNothingIntoTheInstallFolder) {
  const std::vector<std::wstring> installed = Snapshot(kInstallDir);
  ASSERT_FALSE(installed.empty());
  const std::wstring domainList = Expanded(L"%LOCALAPPDATA%\\Veltrano\\TDNL.kvf");
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  ASSERT_NE(Child(main, L"", L"张伟"), nullptr);
  HWND userPage = Child(main, L"TPageUser", L"");

  // Sign out and in again: the agent stores each state in the machine's data folder.
  HWND sign = Child(userPage, L"Button", L"签  出");
  ASSERT_NE(sign, nullptr);
  Click(sign);
  EXPECT_TRUE(WaitFor([] { return Contains(ReadUtf8File(AgentDataDir() + L"State.xml"), L"UserState=\"3\""); }));
  EXPECT_TRUE(WaitFor([&] { return WindowText(sign) == L"签  入"; }));
  Click(sign);
  EXPECT_TRUE(WaitFor([] { return Contains(ReadUtf8File(AgentDataDir() + L"State.xml"), L"UserState=\"2\""); }));

  // The standard account by its key; the domain list file goes to the user's own folder.
  HWND key = FindChildren(userPage, L"Edit").at(0);
  ASSERT_TRUE(TypeText(key, kDemoStdKey));
  Click(Child(userPage, L"Button", L"开  通"));
  EXPECT_TRUE(WaitFor([] { return StoredCurrentAccount() == kDemoStdId; }));
  ASSERT_NE(Child(userPage, L"", L"李娜"), nullptr);
  EXPECT_TRUE(WaitFor([&] { return Exists(domainList); }));

  // The first host record's address, edited inline and stored by Apply.
  HWND records = OpenPage(main, L"资源记录", L"TPageRRsStd");
  ASSERT_NE(records, nullptr);
  std::vector<HWND> octets = HostOctets(records);
  ASSERT_EQ(octets.size(), 4u);
  ASSERT_TRUE(WaitFor([&] { return WindowText(octets[3]) == L"10"; }));  // 192.168.0.10
  ASSERT_TRUE(TypeText(octets[3], L"20"));
  Apply();
  const std::wstring address = L"<IPv4>" + std::to_wstring(IPv4FromOctets(192, 168, 0, 20)) + L"</IPv4>";
  EXPECT_TRUE(WaitFor([&] { return Contains(StoredUserProfile(kDemoStdId), address); }));

  // The standard DNS page offers the suffixes of the list file.
  HWND dns = OpenPage(main, L"域名设置", L"TPageDnsStd");
  ASSERT_NE(dns, nullptr);
  HWND suffix = Child(dns, L"ComboBox", L"veltrano.net");
  ASSERT_NE(suffix, nullptr);
  EXPECT_EQ(SendMessageW(suffix, CB_GETCOUNT, 0, 0), 4);

  // Start-up with the system, through the agent's switch started elevated.
  HWND options = OpenPage(main, L"选项设置", L"TPageOptions");
  ASSERT_NE(options, nullptr);
  HWND autoRun = StartUpBox(options);
  ASSERT_NE(autoRun, nullptr);
  EXPECT_FALSE(Checked(autoRun));
  EXPECT_NE(FindChild(options, L"", L"需要管理员权限"), nullptr);  // the shield, shown where asked
  Click(autoRun);
  Apply();
  const std::wstring quoted = L"\"" + std::wstring(kInstallDir) + L"Orvanta.exe\"";
  EXPECT_TRUE(WaitFor([&] { return RunValue() == quoted; }, 20000)) << Narrow(RunValue().value_or(L"-"));

  // OK closes; everything is there at the next start.
  Click(Child(main, L"TPicBtn", L"确定"));
  ASSERT_TRUE(program->WaitForExit());
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  ASSERT_NE(Child(main, L"", L"李娜"), nullptr);
  records = OpenPage(main, L"资源记录", L"TPageRRsStd");
  ASSERT_NE(records, nullptr);
  octets = HostOctets(records);
  ASSERT_EQ(octets.size(), 4u);
  EXPECT_TRUE(WaitFor([&] { return WindowText(octets[3]) == L"20"; }));
  options = OpenPage(main, L"选项设置", L"TPageOptions");
  ASSERT_NE(options, nullptr);
  EXPECT_TRUE(WaitFor([&] { return Checked(StartUpBox(options)); }));
  Click(Child(main, L"TPicBtn", L"取消"));
  EXPECT_TRUE(program->WaitForExit());

  EXPECT_EQ(Snapshot(kInstallDir), installed);
  EXPECT_FALSE(Exists(std::wstring(kInstallDir) + L"TDNL.kvf"));
  EXPECT_FALSE(Exists(std::wstring(kInstallDir) + L"OrvantaData"));
}

}  // namespace
