// Small routines the whole program shares: resource strings, the registry and file
// tests, the one-instance test, sounds, string splitting, and the two ways of turning
// a picture into a window region for shaped buttons.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Owns one GDI region. The region routines hand their result over in one of these so
// a region built on every paint cannot leak; pass it on with Release() to a call that
// takes ownership (SetWindowRgn owns the region after it succeeds).
class TRegion {
 public:
  TRegion() = default;
  explicit TRegion(HRGN region) noexcept : rgn_(region) {}
  TRegion(const TRegion&) = delete;
  TRegion& operator=(const TRegion&) = delete;
  TRegion(TRegion&& o) noexcept : rgn_(o.Release()) {}
  TRegion& operator=(TRegion&& o) noexcept;
  ~TRegion() { Reset(); }

  HRGN Get() const noexcept { return rgn_; }
  HRGN Release() noexcept { HRGN r = rgn_; rgn_ = nullptr; return r; }
  void Reset() noexcept;
  explicit operator bool() const noexcept { return rgn_ != nullptr; }

 private:
  HRGN rgn_ = nullptr;
};

// The string with that number from the running program's own message table, at most
// 511 UTF-16 units (the 1024-byte load buffer less its terminator); a longer one is
// cut without splitting a surrogate pair. Empty for an unknown number.
std::wstring GetResString(int number);

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

// Starts playing the WAV file asynchronously and returns at once. Nothing happens for
// an empty name, a missing file or a folder. Returns whether the sound was handed to
// the player.
bool PlaySoundFile(const std::wstring& name);

// Appends to `list` the pieces of `text` between the one-character delimiters, each
// trimmed of surrounding blanks and control characters, empty pieces skipped, in
// order. The whole text is split, however long.
void SplitString(const std::wstring& text, wchar_t delimiter, std::vector<std::wstring>& list);

// The two region routines read the bitmap's pixels once, through one shared memory
// DC: call them from one thread at a time, with the bitmap not selected into a DC
// (GetDIBits asks for that).

// The exact region of the bitmap's pixels that differ from `transparent` (an RGB
// value): the bitmap's rectangle less every pixel of that colour, one region
// operation per transparent pixel. Null for a 0 x 0 bitmap, an invalid handle or a
// bitmap wholly of the transparent colour.
TRegion BitmapPixelRegion(HBITMAP bitmap, COLORREF transparent);

// The fast, approximate region: the outline of the shape holding the first
// non-transparent pixel (rows from the top, each from the left), traced once and
// filled as one polygon. Holes are filled in, other separate shapes left out, and
// convex corners lose single pixels to one-pixel diagonal cuts; nothing outside the
// outline is ever covered. A lone pixel gives its 1 x 1 square. An outline of more
// than 1,001 straight runs, or one too thin to enclose any area, falls back to
// BitmapPixelRegion. Null for a 0 x 0 bitmap, an invalid handle or a bitmap wholly
// of the transparent colour.
TRegion BitmapContourRegion(HBITMAP bitmap, COLORREF transparent);

// Removes the window's region, so the window is rectangular again, and redraws it.
void ClearWindowRegion(HWND window);
