// Orvanta.exe's command-line switches, run as separate processes the way the program
// and the scripts run them: the Windows service, the registration, the reset (also
// while the agent serves and writes the same store, and when it cannot write).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "agent/AgentLink.h"
#include "agent/ErrorInfoHook.h"
#include "tests/support/AgentData.h"
#include "tests/support/SecretTraces.h"
#include "tests/support/TestPaths.h"
#include "toolkit/Exception.h"

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

// Who the AppID's security descriptor in `name` allows, and with which rights: one
// "<well-known account>:<mask>" per entry, in order; "" when the value is missing.
std::wstring AllowedCallers(const wchar_t* name) {
  BYTE descriptor[1024];
  DWORD size = sizeof descriptor;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kAppIdKey, name, RRF_RT_REG_BINARY, nullptr, descriptor, &size) !=
      ERROR_SUCCESS)
    return {};
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  if (!GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !present || !dacl) return L"no list";
  std::wstring allowed;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace)) || ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE)
      return L"another entry";
    PSID sid = &ace->SidStart;
    const wchar_t* who = IsWellKnownSid(sid, WinInteractiveSid)            ? L"interactive"
                         : IsWellKnownSid(sid, WinLocalSystemSid)          ? L"system"
                         : IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ? L"administrators"
                                                                            : L"someone else";
    allowed += std::wstring(allowed.empty() ? L"" : L" ") + who + L":" + std::to_wstring(ace->Mask);
  }
  return allowed;
}

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
  // Launching (local execute and activate: 1 + 2 + 8) and calling (local execute: 1 + 2)
  // for the interactive user, SYSTEM and the administrators, nobody else. Wine does not
  // enforce them; the other tests show that the program still reaches the agent.
  EXPECT_EQ(AllowedCallers(L"LaunchPermission"), L"interactive:11 system:11 administrators:11");
  EXPECT_EQ(AllowedCallers(L"AccessPermission"), L"interactive:3 system:3 administrators:3");
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

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 1 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  return out;
}

// The names in a folder that end in `ending`.
std::vector<std::wstring> FilesEndingIn(const std::wstring& folder, const std::wstring& ending) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*" + ending).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

// Two scripts resetting the agent at once while a program keeps changing the store
// through it: under Wine a file cannot be replaced while another process has it open,
// so readers and writers of the same store meet all the time here.
TEST(ResetSwitchTest, ResetsWhileTheAgentServesAndWritesAllSucceedAndLeaveAWholeStore) {
  ResetAgentData();
  InstallErrorInfoHook();
  TUserManagerLink agent = TUserManagerLink::Create();
  agent.GetUserState();  // the agent serves before the first reset starts

  struct TReset {
    int code;
    std::wstring why;
  };
  constexpr int kResetsEach = 12;
  std::vector<TReset> resets[2];
  std::atomic<int> running{2};
  auto resetLoop = [&](std::vector<TReset>& results) {
    for (int i = 0; i < kResetsEach; ++i) {
      std::wstring why;
      const int code = RunAgentSwitch(L"-Reset", 60000, &why);
      results.push_back({code, why});
    }
    --running;
  };
  std::thread first(resetLoop, std::ref(resets[0])), second(resetLoop, std::ref(resets[1]));

  int rounds = 0;
  std::vector<std::wstring> callFailures;
  while (running > 0) {
    try {
      agent.PutAppProfile(L"<LocalSetting><HeartBeat>" + std::to_wstring(300 + rounds % 2) +
                          L"</HeartBeat></LocalSetting>");
      agent.ChangeUser(rounds % 2 ? kDemoStdKey : kDemoProKey);
      agent.GetUserState();
    } catch (const EOleError& e) {
      callFailures.push_back(e.Message());
    }
    ++rounds;
  }
  first.join();
  second.join();

  for (const std::vector<TReset>& results : resets)
    for (const TReset& reset : results) EXPECT_EQ(reset.code, 0) << Utf8(reset.why);
  EXPECT_GT(rounds, kResetsEach);  // the program's changes really ran among the resets
  EXPECT_TRUE(callFailures.empty()) << callFailures.size() << " of " << rounds
                                    << " rounds failed, first: " << Utf8(callFailures.front());

  // Every file whole and in place: the accounts parse with their keys, each profile is
  // there, and no writer left a temporary behind.
  EXPECT_EQ(StoredAccountValue(kDemoProId, L"Key"), kDemoProKey);
  EXPECT_EQ(StoredAccountValue(kDemoStdId, L"Key"), kDemoStdKey);
  EXPECT_EQ(StoredAccountValue(kDemoLanId, L"Key"), kDemoLanKey);
  const std::wstring current = StoredCurrentAccount();
  EXPECT_TRUE(current == kDemoProId || current == kDemoStdId) << Utf8(current);
  for (const wchar_t* id : {kDemoProId, kDemoStdId, kDemoLanId})
    EXPECT_NE(StoredUserProfile(id).find(L"</UserInfo>"), std::wstring::npos) << Utf8(id);
  EXPECT_NE(StoredLocalSettings().find(L"</LocalSetting>"), std::wstring::npos);
  EXPECT_TRUE(FilesEndingIn(AgentDataDir(), L".tmp").empty());
  EXPECT_TRUE(FilesEndingIn(AgentDataDir() + L"Profiles\\", L".tmp").empty());
  // The agent reads all of it again without a complaint.
  EXPECT_NO_THROW(agent.GetUserProfile(-1));
}

// A reset that cannot write (a file stands where the profiles' folder belongs) ends
// with a failure and one line saying what it could not write and why, and replaces
// none of the store's files.
TEST(ResetSwitchTest, AResetThatCannotWriteSaysWhyAndLeavesTheStoreAsItWas) {
  ResetAgentData();
  WriteAgentState(kDemoLanId, 3, false);
  const std::wstring profiles = AgentDataDir() + L"Profiles";
  const std::wstring aside = AgentDataDir() + L"Profiles.aside";
  ASSERT_TRUE(MoveFileW(profiles.c_str(), aside.c_str()));
  const bool blocked = WriteUtf8File(profiles, L"not a folder");
  std::wstring why;
  const int code = blocked ? RunAgentSwitch(L"-Reset", 60000, &why) : -1;
  DeleteFileW(profiles.c_str());
  ASSERT_TRUE(MoveFileW(aside.c_str(), profiles.c_str()));
  ASSERT_TRUE(blocked);

  EXPECT_NE(code, 0);
  EXPECT_NE(why.find(L"无法保存代理数据："), std::wstring::npos) << Utf8(why);
  EXPECT_NE(why.find(profiles + L"\\"), std::wstring::npos) << Utf8(why);
  ASSERT_FALSE(why.empty());
  EXPECT_EQ(why.find(L'\n'), why.size() - 1) << "one line: " << Utf8(why);
  EXPECT_EQ(StoredCurrentAccount(), kDemoLanId);
  ResetAgentData();
}

TEST(PublishSwitchTest, ThePublishingSwitchesStoreWhatIsRightAndSayWhatIsWrong) {
  ResetAgentData();
  const std::wstring secret = L"UWvG/pmHeXmASfo6zJEBASQxUu2oGmQ+lh6aIdscLpE=";
  const std::wstring pro = std::wstring(L"-Publish ") + kDemoProKey;
  const std::pair<std::wstring, std::wstring> refused[] = {
      {L"-Publish NOPE-NOPE zone=veltrano.net key=k:hmac-sha256:" + secret, L"no account has the key"},
      {pro + L" zone=example.org key=k:hmac-sha256:" + secret, L"outside the zone example.org"},
      {pro + L" zone=veltrano.net key=k:hmac-md5:" + secret, L"only hmac-sha256"},
      {pro + L" zone=veltrano.net key=k:hmac-sha256:@@@", L"not base64"},
      {pro + L" key=k:hmac-sha256:" + secret, L"zone="},
      {L"-AddressService ftp://example.org/ip", L"not an http or https URL"},
  };
  for (const auto& [command, reason] : refused) {
    std::wstring why;
    EXPECT_EQ(RunAgentSwitch(command, 30000, &why), 1) << Utf8(command);
    EXPECT_NE(why.find(reason), std::wstring::npos) << Utf8(command) << ": " << Utf8(why);
    EXPECT_EQ(why.find(L'\n'), why.size() - 1) << "one line: " << Utf8(why);
  }
  EXPECT_EQ(ReadUtf8File(AgentDataDir() + L"Publish.xml"), L"") << "nothing refused is stored";

  EXPECT_EQ(RunAgentSwitch(pro + L" zone=veltrano.net key=k:hmac-sha256:" + secret), 0);
  EXPECT_EQ(RunAgentSwitch(pro + L" zone=veltrano.net. key=publish-key:hmac-sha256:" + secret), 0);  // replaces
  EXPECT_EQ(RunAgentSwitch(L"-AddressService https://address.example.net/ip"), 0);
  const std::wstring stored = ReadUtf8File(AgentDataDir() + L"Publish.xml");
  EXPECT_NE(stored.find(L"KeyName=\"publish-key\""), std::wstring::npos) << Utf8(stored);
  EXPECT_EQ(stored.find(L"KeyName=\"k\""), std::wstring::npos) << Utf8(stored);
  EXPECT_NE(stored.find(L"AddressService=\"https://address.example.net/ip\""), std::wstring::npos);
  EXPECT_FALSE(HoldsSecret(FileBytes(AgentDataDir() + L"Publish.xml"), secret)) << "the secret is sealed";
  EXPECT_EQ(RunAgentSwitch(std::wstring(L"-NoPublish ") + kDemoProKey), 0);
  EXPECT_EQ(ReadUtf8File(AgentDataDir() + L"Publish.xml").find(L"publish-key"), std::wstring::npos);
  ResetAgentData();
  EXPECT_EQ(ReadUtf8File(AgentDataDir() + L"Publish.xml"), L"") << "the demo data publishes nothing";
}

TEST(UnknownSwitchTest, AnUnknownSwitchDoesNothingAndSaysSo) {
  EXPECT_EQ(RunAgentSwitch(L"-Frobnicate"), 2);
}

}  // namespace
}  // namespace vt::test
