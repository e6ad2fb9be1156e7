#include "agent/SvcObj.h"

#include <windows.h>

#include "shell/Common.h"

std::unique_ptr<TSvcObj> SvcObj;

namespace {

class TRunKey {
 public:
  explicit TRunKey(bool create) {
    const LSTATUS status =
        create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                 nullptr, &key_, nullptr)
               : RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_READ, &key_);
    if (status != ERROR_SUCCESS) key_ = nullptr;
  }
  ~TRunKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::wstring QuotedAgentPath() {
  const std::wstring folder = GetInstallPath();
  if (folder.empty()) return {};
  return L"\"" + folder + kAgentExe + L"\"";
}

void AddRunValue() {
  const std::wstring data = QuotedAgentPath();
  if (data.empty()) return;
  TRunKey key(true);
  if (!key.Get()) return;
  RegSetValueExW(key.Get(), kAgentName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void RemoveRunValue() {
  TRunKey key(true);
  if (key.Get()) RegDeleteValueW(key.Get(), kAgentName);
}

bool RunValueSet(const std::wstring& name) {
  TRunKey key(false);
  if (!key.Get()) return false;
  wchar_t data[2] = {};
  DWORD type = 0;
  DWORD size = sizeof(data);
  const LSTATUS status =
      RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  // ERROR_MORE_DATA: longer than one character, so certainly not empty.
  const bool read = status == ERROR_SUCCESS || status == ERROR_MORE_DATA;
  const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
  return read && isString && (status == ERROR_MORE_DATA || (size >= sizeof(wchar_t) && data[0]));
}

bool ServiceExists(const std::wstring& name) {
  if (!IsNT()) return false;
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return false;
  SC_HANDLE service = OpenServiceW(manager, name.c_str(), SERVICE_ALL_ACCESS);
  const bool exists = service != nullptr;
  if (service) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return exists;
}

void RunAgentSwitch(const wchar_t* switchName) {
  const std::wstring path = QuotedAgentPath();
  if (path.empty()) return;
  std::wstring command = path + L" " + switchName;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

bool TSvcObj::Load() {
  const bool keepWishes = Pending();
  bool service = RunAsService;  // outside the NT family there is no service to find
  if (IsNT()) service = ServiceExists(kAgentName);
  const bool autoRun = service || RunValueSet(kAgentName);
  RunAsServiceApplied = service;
  AutoRunApplied = autoRun;
  if (!keepWishes) {
    RunAsService = service;
    AutoRun = autoRun;
  }
  return AutoRun;
}

void TSvcObj::Apply() {
  if (!Pending()) return;
  // A service is kept only together with start-up. The commands run unwaited, so an
  // install followed at once by a removal could finish in either order; a service
  // without start-up therefore gets the removal alone.
  const bool keepService = RunAsService && AutoRun;
  if (IsNT()) RunAgentSwitch(keepService ? L"-Install" : L"-Uninstall");
  // With the service, the service manager starts the agent: no Run value.
  if (AutoRun && !RunAsService)
    AddRunValue();
  else
    RemoveRunValue();
  RunAsServiceApplied = RunAsService;
  AutoRunApplied = AutoRun;
}
