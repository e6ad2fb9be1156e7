// Sounds the controls play on a click.
#pragma once
#include <string>

// Starts playing the WAV file asynchronously and returns at once. Nothing happens for
// an empty name, a missing file or a folder. Returns whether the sound was handed to
// the player.
bool PlaySoundFile(const std::wstring& name);
