// Sounds the controls play on a click.
#include "toolkit/Sound.h"

#include <windows.h>

#include <mmsystem.h>

#include "toolkit/SystemLibrary.h"

bool PlaySoundFile(const std::wstring& name) {
  if (name.empty()) return false;
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  // The multimedia library comes with the first sound (with the codec manager it
  // brings along): no sound plays before the window shows.
  static const auto playSound = SystemFunctionOf<decltype(PlaySoundW)>(L"winmm.dll", "PlaySoundW");
  // The asynchronous flag alone: the name is tried as a system sound alias first, then
  // as a file, and the call returns at once.
  return playSound && playSound(name.c_str(), nullptr, SND_ASYNC) != FALSE;
}
