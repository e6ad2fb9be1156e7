// Turns a failed COM status into an EOleError that carries the failure's own
// description (the thread's IErrorInfo), else the system's text for the status.
#pragma once
#include <objbase.h>

#include <string>

// Raises EOleError when hr is a failure; returns hr otherwise.
HRESULT OleCheck(HRESULT hr);

// The description for a failed status: the pending IErrorInfo's description when
// there is one (it is consumed), else the system's message, else the number in hex.
std::wstring OleErrorText(HRESULT hr);

// The system's message for an error code, without the trailing line break; empty
// when the system has none.
std::wstring SysErrorMessage(DWORD code);
