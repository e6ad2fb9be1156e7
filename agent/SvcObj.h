// TSvcObj: the user's wishes for how the agent starts (with the system, as a Windows
// service) next to the state last read from the system; Apply makes the system match
// the wishes. Start-up goes through the machine-wide Run key; the service is
// installed and removed by the agent executable's own switches.
#pragma once
#include <memory>
#include <string>

// The machine-wide Run key, under HKEY_LOCAL_MACHINE.
inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kAgentName[] = L"Veltrano";  // Run value and service name
inline constexpr wchar_t kAgentExe[] = L"Orvanta.exe";

class TSvcObj {
 public:
  bool AutoRun = false;
  bool AutoRunApplied = false;
  bool RunAsService = false;
  bool RunAsServiceApplied = false;

  // Reads the system's state into the applied state, and into the wishes unless the
  // user has changed them since the last Load or Apply (a refresh of the options page
  // must not drop a choice that is waiting for OK or Apply). Returns AutoRun.
  bool Load();
  // Makes the system match the wishes; nothing when they equal the applied state.
  void Apply();
  // True while the wishes differ from the applied state.
  bool Pending() const { return AutoRun != AutoRunApplied || RunAsService != RunAsServiceApplied; }
};

// Created by the options page the first time it opens; the commit applies it.
extern std::unique_ptr<TSvcObj> SvcObj;

// The agent executable's full path, in double quotes: the form the Run value holds and
// the service commands start, so that an install folder with blanks ("C:\Program
// Files\...") can never be read as another program followed by arguments. Empty when
// the install folder is not recorded.
std::wstring QuotedAgentPath();

// The Run value under HKEY_LOCAL_MACHINE: written with the agent's quoted full path,
// removed, and tested for a non-empty string. Nothing is written while the install
// folder is unknown.
void AddRunValue();
void RemoveRunValue();
bool RunValueSet(const std::wstring& name);
// True when the named service opens (NT family only).
bool ServiceExists(const std::wstring& name);
// Starts the agent executable hidden with one switch ("-Install", "-Uninstall");
// does not wait for it. Nothing while the install folder is unknown.
void RunAgentSwitch(const wchar_t* switchName);
