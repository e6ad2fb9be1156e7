// The program's half of carrying the agent's failure descriptions under Wine. On
// Windows the COM channel returns a failing call's IErrorInfo to the caller by itself;
// Wine's channel does not, so the agent sends the description as an ORPC extension
// (EXTID_VtErrorInfo) and this hook makes it the calling thread's error info again,
// where GetErrorInfo (and OleCheck) find it right after the failing call.
//
// Extension data, little-endian:
//   UINT32 magic 0x49455456 ("VTEI"), UINT32 version 1, GUID of the interface,
//   UINT32 source length, UINT32 description length (in UTF-16 units),
//   then the source and the description as UTF-16 text without terminators.
#pragma once

// Registers the hook once per process when running on Wine; does nothing on Windows.
// Call once after CoInitializeEx.
void InstallErrorInfoHook();
