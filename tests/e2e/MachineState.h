// What the machine holds for the agent, read the way a test checks it from outside the
// program: registry values and keys, the Run value "Veltrano", the agent's recorded
// install folder, the state of the Windows service "Veltrano", and the agent processes
// of this Wine session.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kAgentName[] = L"Veltrano";  // the Run value's and the service's name

// A string value under HKEY_LOCAL_MACHINE; nothing when the key or value is absent.
std::optional<std::wstring> MachineString(const std::wstring& key, const wchar_t* name);
bool MachineKeyExists(const std::wstring& key);

// The Run value "Veltrano", if any.
std::optional<std::wstring> RunValue();
// HKLM "SOFTWARE\Tavrinel\Veltrano" "Install Path" ("" when absent).
std::wstring InstallPath();
// The service's state (SERVICE_RUNNING, ...), or 0 when there is no such service.
DWORD ServiceState();
// The process ids of the running agents ("Orvanta.exe").
std::vector<DWORD> AgentProcesses();
// Ends every agent process at once, as a crash would.
void KillAgents();
// The Run value, the service's state and the number of agents, for a failure message.
std::string StartUpDescription();

}  // namespace e2e
