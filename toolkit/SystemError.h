// Failures of Win32 calls as exceptions, with the system's own description of the
// error code, so that the default error report says what went wrong.
#pragma once
#include <windows.h>

#include <string>

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);

// Throws EError with "<what>: <text of GetLastError()>".
[[noreturn]] void ThrowLastError(const std::wstring& what);
