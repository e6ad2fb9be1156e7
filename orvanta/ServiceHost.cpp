#include "orvanta/ServiceHost.h"

#include <objbase.h>

#include <string>

#include "orvanta/AgentObjects.h"
#include "orvanta/ComServer.h"
#include "orvanta/ErrorInfoChannel.h"
#include "orvanta/FileIo.h"
#include "orvanta/Registration.h"
#include "toolkit/Handle.h"

namespace {

constexpr wchar_t kDisplayName[] = L"Veltrano 动态域名代理";
constexpr wchar_t kDescription[] =
    L"保持账户的域名指向本机的当前地址，并为用户配置程序提供账户数据。";
constexpr DWORD kStopWaitMs = 10000;

bool WaitForState(SC_HANDLE service, DWORD wanted, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  SERVICE_STATUS status{};
  while (QueryServiceStatus(service, &status) && status.dwCurrentState != wanted) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(100);
  }
  return status.dwCurrentState == wanted;
}

// --- the running service ---

SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
TKernelHandle g_stopEvent;
DWORD g_exitCode = 0;

void Report(DWORD state, DWORD exitCode = NO_ERROR) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted =
      state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
  status.dwWin32ExitCode = exitCode;
  status.dwWaitHint = state == SERVICE_RUNNING || state == SERVICE_STOPPED ? 0 : 5000;
  SetServiceStatus(g_statusHandle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
  switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
      Report(SERVICE_STOP_PENDING);
      SetEvent(g_stopEvent.Get());
      return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
      return NO_ERROR;
    default:
      return ERROR_CALL_NOT_IMPLEMENTED;
  }
}

void WINAPI ServiceMain(DWORD, wchar_t**) {
  g_statusHandle = RegisterServiceCtrlHandlerExW(kServiceName, Control, nullptr);
  if (!g_statusHandle) return;
  Report(SERVICE_START_PENDING);
  g_stopEvent = TKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!g_stopEvent || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    Report(SERVICE_STOPPED, ERROR_SERVICE_SPECIFIC_ERROR);
    return;
  }
  InstallErrorInfoChannel();
  try {
    TheAgentService().Start();
  } catch (...) {
    // A damaged store is reported to each caller; the service still runs.
  }
  Report(SERVICE_RUNNING);
  g_exitCode = RunComServer(TServeMode::Service, g_stopEvent.Get());
  CoUninitialize();
  g_stopEvent.Reset();
  Report(SERVICE_STOPPED, g_exitCode ? ERROR_SERVICE_SPECIFIC_ERROR : NO_ERROR);
}

}  // namespace

int InstallService() {
  if (FAILED(RegisterServer())) return 1;
  TScmHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
  if (!manager) return 1;
  const std::wstring command = L"\"" + ExePath() + L"\" -Service";
  TScmHandle service(CreateServiceW(manager.Get(), kServiceName, kDisplayName, SERVICE_ALL_ACCESS,
                                   SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START,
                                   SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr,
                                   nullptr, nullptr, nullptr));
  if (!service && GetLastError() == ERROR_SERVICE_EXISTS) {
    // Installed before, perhaps from another folder: point it at this executable.
    TScmHandle existing(OpenServiceW(manager.Get(), kServiceName, SERVICE_ALL_ACCESS));
    if (!existing ||
        !ChangeServiceConfigW(existing.Get(), SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START,
                              SERVICE_ERROR_NORMAL, command.c_str(), nullptr, nullptr, nullptr,
                              nullptr, nullptr, kDisplayName))
      return 1;
  } else if (!service) {
    return 1;
  } else {
    SERVICE_DESCRIPTIONW description{const_cast<wchar_t*>(kDescription)};
    ChangeServiceConfig2W(service.Get(), SERVICE_CONFIG_DESCRIPTION, &description);
  }
  return FAILED(SetLocalService(kServiceName)) ? 1 : 0;
}

int UninstallService() {
  SetLocalService({});
  TScmHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return 1;
  TScmHandle service(
      OpenServiceW(manager.Get(), kServiceName, SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
  if (!service) return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST ? 0 : 1;
  SERVICE_STATUS status{};
  if (ControlService(service.Get(), SERVICE_CONTROL_STOP, &status))
    WaitForState(service.Get(), SERVICE_STOPPED, kStopWaitMs);
  return DeleteService(service.Get()) || GetLastError() == ERROR_SERVICE_MARKED_FOR_DELETE ? 0 : 1;
}

int RunAsService() {
  SERVICE_TABLE_ENTRYW table[] = {{const_cast<wchar_t*>(kServiceName), ServiceMain},
                                  {nullptr, nullptr}};
  if (!StartServiceCtrlDispatcherW(table)) return 1;  // not started by the service manager
  return static_cast<int>(g_exitCode);
}
