// System functions the program needs only now and then (a sound, the shell's known
// folders and elevation, a screen reader's question, an address's text), loaded on
// their first use instead of with the program: every library the program imports is
// loaded, with what it imports in turn, before the first line of the program runs,
// and under Wine the shell's library alone brings a dozen.
#pragma once
#include <windows.h>

// The function `name` of the system library `library` (from the system folder only),
// or null when either cannot be had. The library stays loaded for the rest of the
// run. Callers keep the answer in a function-local static, which makes the look-up
// once per function and safe on any thread.
FARPROC SystemFunction(const wchar_t* library, const char* name);

template <class TFunction>
TFunction* SystemFunctionOf(const wchar_t* library, const char* name) {
  return reinterpret_cast<TFunction*>(reinterpret_cast<void*>(SystemFunction(library, name)));
}
