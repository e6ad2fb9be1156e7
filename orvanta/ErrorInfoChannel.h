// The agent's half of carrying failure descriptions to clients under Wine. Windows'
// COM channel sends a failing call's IErrorInfo back to the caller by itself; Wine's
// does not. Under Wine the agent registers a channel hook that puts the description of
// the call's error info into the reply as an ORPC extension (EXTID_VtErrorInfo); the
// client's matching hook (agent/ErrorInfoHook) turns it back into the caller's error
// info.
//
// Extension data, little-endian:
//   UINT32 magic 0x49455456 ("VTEI"), UINT32 version 1, GUID of the interface,
//   UINT32 source length, UINT32 description length (in UTF-16 units),
//   then the source and the description as UTF-16 text without terminators.
#pragma once

// Registers the hook once per process when running on Wine; does nothing on Windows.
// Call after CoInitializeEx.
void InstallErrorInfoChannel();

// True when the process runs on Wine.
bool RunningOnWine();
