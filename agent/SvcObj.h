// TSvcObj: the user's wishes for how the agent starts (with the system, as a Windows
// service) next to the state last read from the system; Apply makes the system match
// the wishes. Start-up goes through the machine-wide Run key and the service; both
// are the machine's, which a standard user (and an administrator whose token User
// Account Control filters) may read but not change. So the program only reads them,
// and makes a change by starting the agent executable with one of its own switches
// elevated: Windows shows the consent prompt, and the user may decline it.
#pragma once
#include <memory>
#include <string>

// The machine-wide Run key, read under HKEY_LOCAL_MACHINE.
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
  enum class TApplied {
    Nothing,   // the wishes were the system's state already
    Started,   // the agent's switch was started elevated
    Declined,  // the user declined the consent prompt (or it could not start)
  };
  // Makes the system match the wishes with one elevated start of the agent's switch;
  // nothing when they equal the applied state. When the start is declined the wishes
  // are dropped, so the page shows the system's state again at its next opening.
  TApplied Apply();
  // True while the wishes differ from the applied state.
  bool Pending() const { return AutoRun != AutoRunApplied || RunAsService != RunAsServiceApplied; }
};

// What the user is told when the consent prompt was declined.
inline constexpr wchar_t kStartUpNotChangedText[] =
    L"没有获得管理员的许可，代理的启动方式未更改。";

// Created by the options page the first time it opens; the commit applies it.
extern std::unique_ptr<TSvcObj> SvcObj;

// The agent executable's full path (install folder and "Orvanta.exe"); empty when the
// install folder is not recorded.
std::wstring AgentPath();

// True when the named Run value under HKEY_LOCAL_MACHINE starts the agent: its full
// path in double quotes (or bare, for a path without blanks), compared without regard
// to case. A value naming any other program, or none, is no start-up of ours.
bool RunValueSet(const std::wstring& name);
// True when the named service exists (NT family only). Asks only for the right to
// read its status, which every user has.
bool ServiceExists(const std::wstring& name);

// The agent's switch that leaves the machine in the wished state: "-NoAutoRun" (no
// start-up), "-AutoRun" (the Run value, no service) or "-Install" (the service).
const wchar_t* StartUpSwitch(bool autoRun, bool runAsService);
// Starts the agent executable hidden and elevated with the switch, without waiting
// for it; false when it did not start (the consent declined, no install folder).
bool RunAgentSwitchElevated(const wchar_t* switchName);
// True when this process runs without an administrator's full token, so that a
// machine-wide change shows the consent prompt (the page shows the shield).
bool StartUpChangeNeedsConsent();
