#include "agent/SvcObj.h"

#include <windows.h>
#include <shellapi.h>

#include "shell/Common.h"
#include "toolkit/Handle.h"
#include "toolkit/SystemLibrary.h"

std::unique_ptr<TSvcObj> SvcObj;

std::wstring AgentPath() {
  const std::wstring folder = GetInstallPath();
  return folder.empty() ? std::wstring() : folder + kAgentExe;
}

bool RunValueSet(const std::wstring& name) {
  const std::wstring agent = AgentPath();
  if (agent.empty()) return false;
  std::wstring data(2048, L'\0');
  DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, name.c_str(), RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ |
                   RRF_NOEXPAND, nullptr, data.data(), &size) != ERROR_SUCCESS)
    return false;
  data.resize(wcsnlen(data.c_str(), data.size()));
  // Another program under our name, or our agent with arguments it would refuse,
  // does not start the agent. An unquoted path with blanks could start another
  // program ("C:\Program.exe"), so only a path without blanks may stand unquoted.
  auto same = [](const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
  };
  return same(data, L"\"" + agent + L"\"") || (agent.find(L' ') == std::wstring::npos && same(data, agent));
}

namespace {

// The connection to the service manager, made on first use and kept (a new one when
// asked): connecting costs more than the rest of a look at the start-up state together,
// and the options page looks at every opening. Only connecting is asked for: all access
// would be refused to a standard user, who would then never see the service that is
// there.
SC_HANDLE ServiceManager(bool reconnect) {
  static TScmHandle manager;
  if (reconnect || !manager) manager = TScmHandle(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  return manager.Get();
}

}  // namespace

bool ServiceExists(const std::wstring& name) {
  if (!IsNT()) return false;
  // A kept connection the service manager no longer knows (it was restarted) fails
  // with another error than these two: the question is asked once more on a new one.
  for (bool reconnect : {false, true}) {
    const SC_HANDLE manager = ServiceManager(reconnect);
    if (!manager) return false;
    if (TScmHandle service(OpenServiceW(manager, name.c_str(), SERVICE_QUERY_STATUS)); service) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) return true;
    if (error == ERROR_SERVICE_DOES_NOT_EXIST) return false;
  }
  return false;
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
  static const auto shellExecute = SystemFunctionOf<decltype(ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
  if (!shellExecute) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return false;
  }
  return shellExecute(&info) != FALSE;
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
