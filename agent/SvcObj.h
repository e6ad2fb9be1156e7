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

  // Reads the system's state into the wishes and the applied state; returns AutoRun.
  bool Load();
  // Makes the system match the wishes; nothing when they equal the applied state.
  void Apply();
};

// Created by the options page the first time it opens; the commit applies it.
extern std::unique_ptr<TSvcObj> SvcObj;

// The Run value under HKEY_LOCAL_MACHINE: written with the agent's full path,
// removed, and tested for a non-empty string.
void AddRunValue();
void RemoveRunValue();
bool RunValueSet(const std::wstring& name);
// True when the named service opens (NT family only).
bool ServiceExists(const std::wstring& name);
// Starts the agent executable hidden with one switch ("-Install", "-Uninstall");
// does not wait for it.
void RunAgentSwitch(const wchar_t* switchName);
