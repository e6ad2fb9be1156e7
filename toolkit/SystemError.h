// Failures of Win32 calls as exceptions, with the system's own description of the
// error code, so that the default error report says what went wrong.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Exception.h"

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD code);

// A failed Win32 call: the message, and the error code for those who tell the user in
// their own words.
class ESystemError : public EError {
 public:
  ESystemError(DWORD code, std::wstring message) : EError(std::move(message)), code_(code) {}
  DWORD Code() const noexcept { return code_; }

 private:
  DWORD code_;
};

// Throws ESystemError with "<what>: <text of GetLastError()>".
[[noreturn]] void ThrowLastError(const std::wstring& what);
