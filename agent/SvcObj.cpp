#include "agent/SvcObj.h"

#include <windows.h>
#include <shellapi.h>

#include "shell/Common.h"
#include "toolkit/Handle.h"

std::unique_ptr<TSvcObj> SvcObj;

std::wstring AgentPath() {
  const std::wstring folder = GetInstallPath();
  return folder.empty() ? std::wstring() : folder + kAgentExe;
}

bool RunValueSet(const std::wstring& name) {
  TRegKeyHandle key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
    return false;
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
  // All access would be refused to a standard user, who would then never see the
  // service that is there.
  TScmHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return false;
  TScmHandle service(OpenServiceW(manager.Get(), name.c_str(), SERVICE_QUERY_STATUS));
  return service || GetLastError() == ERROR_ACCESS_DENIED;
}

const wchar_t* StartUpSwitch(bool autoRun, bool runAsService) {
  if (!autoRun) return L"-NoAutoRun";  // a service without start-up is not kept
  return runAsService && IsNT() ? L"-Install" : L"-AutoRun";
}

bool RunAgentSwitchElevated(const wchar_t* switchName) {
  const std::wstring path = AgentPath();
  if (path.empty()) return false;
  // The shell quotes the file when it builds the command line, so a folder with
  // blanks stays one path.
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"runas";
  info.lpFile = path.c_str();
  info.lpParameters = switchName;
  info.nShow = SW_HIDE;
  return ShellExecuteExW(&info) != FALSE;
}

bool StartUpChangeNeedsConsent() {
  TKernelHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return true;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return !GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof elevation, &size) ||
         !elevation.TokenIsElevated;
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

TSvcObj::TApplied TSvcObj::Apply() {
  if (!Pending()) return TApplied::Nothing;
  if (!RunAgentSwitchElevated(StartUpSwitch(AutoRun, RunAsService))) {
    AutoRun = AutoRunApplied;
    RunAsService = RunAsServiceApplied;
    return TApplied::Declined;
  }
  RunAsServiceApplied = RunAsService;
  AutoRunApplied = AutoRun;
  return TApplied::Started;
}
