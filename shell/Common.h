// Small routines the whole program shares: its folder, the registry and file tests,
// the one-instance test and string splitting; with them the string table and sounds,
// which the toolkit owns.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/ResString.h"
#include "toolkit/Sound.h"

// The folder of the running program's file, ending in a backslash.
std::wstring GetExeDir();

// The agent's install folder from HKEY_LOCAL_MACHINE, with exactly one trailing
// backslash; empty when it is not recorded.
std::wstring GetInstallPath();

// The string value `valueName` of the key `keyPath` below `root`, read-only. The path
// may carry leading and trailing backslashes ("\SOFTWARE\Tavrinel\Veltrano\").
// Empty when the key or the value is missing or the value is not a string.
std::wstring ReadRegString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName);

// True when the system is of the NT family; false also when the version query fails.
bool IsNT();

// True when a top-level window of that class with that caption exists; an empty
// caption matches any caption. An empty class name matches no window.
bool IsWindowPresent(const std::wstring& className, const std::wstring& caption);

// True when the file system returns attributes for the name (files and folders).
bool FileAttributesExist(const std::wstring& name);

// Appends to `list` the pieces of `text` between the one-character delimiters, each
// trimmed of surrounding blanks and control characters, empty pieces skipped, in
// order. The whole text is split, however long.
void SplitString(const std::wstring& text, wchar_t delimiter, std::vector<std::wstring>& list);
