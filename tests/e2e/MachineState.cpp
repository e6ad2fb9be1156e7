#include "tests/e2e/MachineState.h"

#include <tlhelp32.h>

#include "tests/e2e/E2eSupport.h"

namespace e2e {

std::optional<std::wstring> MachineString(const std::wstring& key, const wchar_t* name) {
  wchar_t data[1024];
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

bool MachineKeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return false;
  RegCloseKey(handle);
  return true;
}

std::optional<std::wstring> RunValue() { return MachineString(kRunKey, kAgentName); }

std::wstring InstallPath() {
  return MachineString(L"SOFTWARE\\Tavrinel\\Veltrano", L"Install Path").value_or(L"");
}

DWORD ServiceState() {
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (!manager) return 0;
  SC_HANDLE service = OpenServiceW(manager, kAgentName, SERVICE_QUERY_STATUS);
  SERVICE_STATUS status{};
  const bool known = service && QueryServiceStatus(service, &status);
  if (service) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return known ? status.dwCurrentState : 0;
}

std::vector<DWORD> AgentProcesses() {
  std::vector<DWORD> pids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return pids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (_wcsicmp(entry.szExeFile, L"Orvanta.exe") == 0) pids.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return pids;
}

void KillAgents() {
  for (DWORD pid : AgentProcesses())
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
      TerminateProcess(process, 9);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
}

std::string StartUpDescription() {
  const std::optional<std::wstring> run = RunValue();
  std::string text = "Run value: " + (run ? Narrow(*run) : std::string("none"));
  text += "; service state: " + std::to_string(ServiceState());
  return text + "; agents: " + std::to_string(AgentProcesses().size());
}

}  // namespace e2e
