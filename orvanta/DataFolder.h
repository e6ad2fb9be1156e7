// Where the agent keeps its data: one folder for the whole machine, below the common
// application data folder ("C:\ProgramData\Veltrano\OrvantaData\"), so the service
// (running as SYSTEM), the agent the Run value starts at a user's sign-in and the one
// COM starts for a program all see the same accounts. The install folder under
// "Program Files" is read-only for a standard user and for an administrator whose
// token User Account Control filters, so nothing is kept there; a store that an
// earlier version kept beside the executable is taken over once.
#pragma once
#include <string>

// "<common application data>\Veltrano\OrvantaData\".
std::wstring AgentDataFolder();

// Where earlier versions kept the store: "<folder of Orvanta.exe>OrvantaData\".
std::wstring LegacyDataFolder();

// Takes over a store kept in `legacy` when `target` holds none yet (no accounts file):
// copies every file and folder of it into `target` (the accounts file last, so that a
// copy cut short is simply done again at the next start), then removes `legacy` where
// it may (a read-only install folder keeps it, unused). True when it took a store
// over; false when `legacy` holds none or `target` already has one. Raises
// TAgentError(StoreWrite) with the path and the system's reason when a copy fails;
// `legacy` is then left whole.
bool AdoptLegacyStore(const std::wstring& legacy, const std::wstring& target);

// Creates the data folder and its parent, and lets the built-in Users group modify
// what is in the parent (inherited by every file and folder below it), so that an
// agent started for any user of the machine can write the store. For the switches
// an administrator runs ("-RegServer", "-Install"). Raises TAgentError(StoreWrite) on
// failure.
void ShareDataFolder(const std::wstring& folder);
