#include "agent/RpcssRestart.h"

#include <windows.h>

#include "toolkit/Handle.h"

namespace {

constexpr wchar_t kServiceName[] = L"RpcSs";

bool WaitForState(SC_HANDLE service, DWORD wanted, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(service, &status)) return false;
    if (status.dwCurrentState == wanted) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
}

}  // namespace

bool IsWineHost() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool RestartComActivationService(unsigned long timeoutMs) {
  TScmHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager.Get()) return false;
  TScmHandle service(OpenServiceW(manager.Get(), kServiceName,
                                      SERVICE_STOP | SERVICE_START | SERVICE_QUERY_STATUS));
  if (!service.Get()) return false;
  SERVICE_STATUS status{};
  if (!ControlService(service.Get(), SERVICE_CONTROL_STOP, &status) &&
      GetLastError() != ERROR_SERVICE_NOT_ACTIVE)
    return false;
  if (!WaitForState(service.Get(), SERVICE_STOPPED, timeoutMs)) return false;
  // COM would start it again on its next use; starting it here keeps that wait out of
  // the caller's next call.
  if (!StartServiceW(service.Get(), 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
    return false;
  return WaitForState(service.Get(), SERVICE_RUNNING, timeoutMs);
}
