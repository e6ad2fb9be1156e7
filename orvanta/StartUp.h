// How the machine starts the agent, set by the switches the configuration program
// runs elevated (the Run value under HKEY_LOCAL_MACHINE and the service are the
// machine's, and a standard user may change neither): "-AutoRun" starts the agent at
// every sign-in through the Run value "Veltrano", "-NoAutoRun" does not start it at
// all, "-Install" runs it as the service. Each switch leaves exactly one of the three
// states, whatever the machine held before, so one elevated start makes any change.
#pragma once

inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Veltrano";

// Each returns a process exit code: 0 when the machine is in the state asked for.
int ChooseAutoRun();    // the Run value with this executable's quoted path; no service
int ChooseNoAutoRun();  // neither the Run value nor the service
int ChooseService();    // the service (as "-Install"); no Run value
