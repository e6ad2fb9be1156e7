// Orvanta.exe's command-line switches, run as separate processes the way the program
// and the scripts run them: the Windows service, the registration, the reset.
#include <gtest/gtest.h>

#include "tests/support/AgentData.h"
#include "tests/support/TestPaths.h"

namespace vt::test {
namespace {

constexpr wchar_t kService[] = L"Veltrano";
constexpr wchar_t kAppIdKey[] =
    L"Software\\Classes\\AppID\\{C1A5E0B4-7F3D-4E29-8B6A-2D94F0E31A57}";

std::wstring RegString(const wchar_t* key, const wchar_t* name) {
  wchar_t value[1024];
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return {};
  return value;
}

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH];
  const DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return std::wstring(full, n);
}

bool ServiceExists() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (!manager) return false;
  SC_HANDLE service = OpenServiceW(manager, kService, SERVICE_QUERY_CONFIG);
  if (service) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return service != nullptr;
}

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class ServiceSwitchTest : public ::testing::Test {
 protected:
  // The service must never outlive the test: other tests expect COM to reach the
  // agent directly, not through a service.
  void TearDown() override {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kService);
    if (ServiceExists()) RunAgentSwitch(L"-Uninstall");
    if (!ServiceExists()) return;
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceW(manager, kService, DELETE);
    DeleteService(service);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
  }
};

TEST_F(ServiceSwitchTest, InstallCreatesTheAutoStartServiceAndUninstallDeletesIt) {
  ASSERT_EQ(RunAgentSwitch(L"-Install"), 0);
  ASSERT_TRUE(ServiceExists());
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  SC_HANDLE service = OpenServiceW(manager, kService, SERVICE_QUERY_CONFIG);
  DWORD needed = 0;
  QueryServiceConfigW(service, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
  ASSERT_TRUE(QueryServiceConfigW(service, config, needed, &needed));
  EXPECT_EQ(config->dwStartType, static_cast<DWORD>(SERVICE_AUTO_START));
  EXPECT_EQ(config->dwServiceType, static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS));
  const std::wstring command = config->lpBinaryPathName;
  EXPECT_NE(command.find(L"Orvanta.exe\" -Service"), std::wstring::npos);
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
  // COM is told to start the classes through the service.
  EXPECT_EQ(RegString(kAppIdKey, L"LocalService"), kService);

  EXPECT_EQ(RunAgentSwitch(L"-Install"), 0);  // installing again is no failure

  ASSERT_EQ(RunAgentSwitch(L"-Uninstall"), 0);
  EXPECT_FALSE(ServiceExists());
  EXPECT_EQ(RegString(kAppIdKey, L"LocalService"), L"");
  EXPECT_EQ(RunAgentSwitch(L"-Uninstall"), 0);  // nothing left to remove is no failure
}

// What the options page starts elevated: each switch leaves exactly one way of
// starting, whatever was there before.
TEST_F(ServiceSwitchTest, EachStartUpSwitchLeavesOneWayOfStarting) {
  const std::wstring quoted = L"\"" + FullPath(ProductDir()) + L"Orvanta.exe\"";
  ASSERT_EQ(RunAgentSwitch(L"-AutoRun"), 0);
  EXPECT_EQ(RegString(kRunKey, kService), quoted);
  EXPECT_FALSE(ServiceExists());
  ASSERT_EQ(RunAgentSwitch(L"-Install"), 0);
  EXPECT_TRUE(ServiceExists());
  EXPECT_EQ(RegString(kRunKey, kService), L"");
  ASSERT_EQ(RunAgentSwitch(L"-AutoRun"), 0);
  EXPECT_FALSE(ServiceExists());
  EXPECT_EQ(RegString(kRunKey, kService), quoted);
  ASSERT_EQ(RunAgentSwitch(L"-NoAutoRun"), 0);
  EXPECT_FALSE(ServiceExists());
  EXPECT_EQ(RegString(kRunKey, kService), L"");
  EXPECT_EQ(RunAgentSwitch(L"-NoAutoRun"), 0);  // nothing to remove is no failure
}

TEST(RegistrationSwitchTest, RegServerRecordsTheInstallFolderAndTheLocalServer) {
  ASSERT_EQ(RunAgentSwitch(L"-UnregServer"), 0);
  EXPECT_EQ(RegString(L"SOFTWARE\\Tavrinel\\Veltrano", L"Install Path"), L"");
  EXPECT_EQ(RegString(L"Software\\Classes\\CLSID\\{EEE864F7-6B76-49D4-9067-8D01B85DE7EE}"
                      L"\\LocalServer32",
                      nullptr),
            L"");
  ASSERT_EQ(RunAgentSwitch(L"-RegServer"), 0);
  const std::wstring folder = FullPath(ProductDir());
  EXPECT_EQ(RegString(L"SOFTWARE\\Tavrinel\\Veltrano", L"Install Path"), folder);
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(RegString(L"Software\\Classes\\CLSID\\{EEE864F7-6B76-49D4-9067-8D01B85DE7EE}"
                      L"\\LocalServer32",
                      nullptr),
            L"\"" + folder + L"Orvanta.exe\"");
  EXPECT_EQ(RegString(L"Software\\Classes\\Interface\\{9BBBFDB9-B757-41C7-B74E-012D21756E36}"
                      L"\\ProxyStubClsid32",
                      nullptr),
            L"{00020424-0000-0000-C000-000000000046}");
  // The machine's data folder, prepared for every user (Wine keeps no access lists, so
  // only its being there shows here).
  EXPECT_NE(GetFileAttributesW(AgentDataDir().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ResetSwitchTest, ResetRestoresTheDemoDataAndEmptiesTheOutbox) {
  WriteAgentState(L"lan", 3, false);
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"Outbox\\000001-Answer.txt", L"To: x\r\n\r\nx"));
  ASSERT_TRUE(WriteUtf8File(AgentDataDir() + L"Profiles\\pro.xml", L"<UserInfo/>"));
  ASSERT_EQ(RunAgentSwitch(L"-Reset"), 0);
  EXPECT_EQ(StoredCurrentAccount(), L"pro");
  EXPECT_TRUE(AgentOutbox().empty());
  EXPECT_NE(StoredUserProfile(L"pro").find(L"<Domain>demo-pro.veltrano.net</Domain>"),
            std::wstring::npos);
  EXPECT_EQ(StoredAccountValue(kDemoProId, L"Key"), kDemoProKey);
  EXPECT_EQ(StoredAccountValue(kDemoStdId, L"Key"), kDemoStdKey);
  EXPECT_EQ(StoredAccountValue(kDemoLanId, L"Key"), kDemoLanKey);
}

TEST(UnknownSwitchTest, AnUnknownSwitchDoesNothingAndSaysSo) {
  EXPECT_EQ(RunAgentSwitch(L"-Frobnicate"), 2);
}

}  // namespace
}  // namespace vt::test
