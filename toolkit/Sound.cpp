// Sounds the controls play on a click.
#include "toolkit/Sound.h"

#include <windows.h>

#include <mmsystem.h>

namespace {

using TPlaySound = BOOL(WINAPI*)(LPCWSTR sound, HMODULE module, DWORD flags);

// The multimedia library comes with the first sound, from the system folder only: no
// sound plays before the window shows, and loading it (with the codec manager it
// brings along) would otherwise count in the program's start-up.
TPlaySound PlaySoundEntry() {
  static const TPlaySound entry = [] {
    HMODULE module = LoadLibraryExW(L"winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<TPlaySound>(GetProcAddress(module, "PlaySoundW")) : nullptr;
  }();
  return entry;
}

}  // namespace

bool PlaySoundFile(const std::wstring& name) {
  if (name.empty()) return false;
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  const TPlaySound playSound = PlaySoundEntry();
  // The asynchronous flag alone: the name is tried as a system sound alias first, then
  // as a file, and the call returns at once.
  return playSound && playSound(name.c_str(), nullptr, SND_ASYNC) != FALSE;
}
