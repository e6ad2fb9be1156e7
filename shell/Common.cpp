// Small routines the whole program shares: resource strings, the registry and file
// tests, the one-instance test, sounds, string splitting, and the two ways of turning
// a picture into a window region for shaped buttons.
#include "shell/Common.h"

#include <mmsystem.h>

#include <cstdint>
#include <memory>
#include <new>
#include <utility>

#include "toolkit/Handle.h"

// ---------------------------------------------------------------------------
// TRegion

TRegion& TRegion::operator=(TRegion&& o) noexcept {
  if (this != &o) {
    Reset();
    rgn_ = o.Release();
  }
  return *this;
}

void TRegion::Reset() noexcept {
  if (rgn_) DeleteObject(rgn_);
  rgn_ = nullptr;
}

// ---------------------------------------------------------------------------
// Resource strings, paths and the registry

std::wstring GetResString(int number) {
  // LoadStringW looks up only the low 16 bits of the number, so a larger one would
  // alias a real string.
  if (number < 0 || number > 0xFFFF) return {};
  wchar_t buffer[512] = {};  // 1024 bytes; at most 511 units and the terminator
  int n = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), buffer, 512);
  if (n <= 0) return {};
  // A string cut at the buffer's end must not keep half of a surrogate pair.
  if (n == 511 && IS_HIGH_SURROGATE(buffer[n - 1])) --n;
  return std::wstring(buffer, static_cast<size_t>(n));
}

std::wstring GetExeDir() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    // A result that fills the buffer was cut: long paths reach 32,767 units.
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

namespace {

// The text of a REG_SZ or REG_EXPAND_SZ value, as stored; empty otherwise.
std::wstring QueryString(HKEY key, const std::wstring& name) {
  // The value may grow between the size query and the read; a few tries suffice.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    // A stored string need not end in a terminator, nor have an even byte count.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(text.data()), &got);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    text.resize(got / sizeof(wchar_t));
    const size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
  }
  return {};
}

}  // namespace

std::wstring ReadRegString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName) {
  // RegOpenKeyEx refuses a path that starts with a separator.
  const size_t first = keyPath.find_first_not_of(L'\\');
  const std::wstring path =
      first == std::wstring::npos ? std::wstring()
                                  : keyPath.substr(first, keyPath.find_last_not_of(L'\\') - first + 1);
  TRegKeyHandle key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return {};
  return QueryString(key.Get(), valueName);
}

std::wstring GetInstallPath() {
  std::wstring path = ReadRegString(HKEY_LOCAL_MACHINE, L"\\SOFTWARE\\Tavrinel\\Veltrano\\", L"Install Path");
  if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
  return path;
}

// ---------------------------------------------------------------------------
// System, windows, files and sounds

bool IsNT() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsWindowPresent(const std::wstring& className, const std::wstring& caption) {
  if (className.empty()) return false;
  return FindWindowW(className.c_str(), caption.empty() ? nullptr : caption.c_str()) != nullptr;
}

bool FileAttributesExist(const std::wstring& name) {
  return !name.empty() && GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

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

// ---------------------------------------------------------------------------
// Strings

namespace {

bool IsBlank(wchar_t c) { return c <= L' '; }

}  // namespace

void SplitString(const std::wstring& text, wchar_t delimiter, std::vector<std::wstring>& list) {
  size_t start = 0;
  for (;;) {
    size_t end = text.find(delimiter, start);
    if (end == std::wstring::npos) end = text.size();
    size_t b = start, e = end;
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    if (e > b) list.emplace_back(text, b, e - b);
    if (end == text.size()) break;
    start = end + 1;
  }
}

// ---------------------------------------------------------------------------
// Regions from bitmaps

namespace {

// The bitmap's pixels, read once as 32-bit top-down rows, with the test for "inside"
// (any colour but the transparent one; the unused top byte is ignored).
struct TPixels {
  int width = 0;
  int height = 0;
  uint32_t key = 0;  // the transparent colour in the DIB's 0x00RRGGBB order
  std::unique_ptr<uint32_t[]> data;

  bool Inside(int x, int y) const {
    // One unsigned compare per axis also rejects negative coordinates.
    return static_cast<unsigned>(x) < static_cast<unsigned>(width) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(height) &&
           (data[static_cast<size_t>(y) * width + x] & 0xFFFFFFu) != key;
  }
};

// GetDIBits wants a device context only for its colour format. Creating one costs as
// much as tracing a whole outline, so one memory DC serves every call; the program
// builds its regions on the window thread only.
HDC FormatDC() {
  static HDC dc = CreateCompatibleDC(nullptr);
  return dc;
}

bool ReadPixels(HBITMAP bitmap, COLORREF transparent, TPixels& pixels) {
  BITMAP bm{};
  if (!bitmap || GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm) return false;
  const int width = bm.bmWidth;
  const int height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  if (width < 1 || height < 1 || !FormatDC()) return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  try {
    pixels.data = std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(width) * height);
  } catch (const std::bad_alloc&) {
    return false;  // a picture too large to hold gets no region rather than an exception
  }
  if (GetDIBits(FormatDC(), bitmap, 0, static_cast<UINT>(height), pixels.data.get(), &info, DIB_RGB_COLORS) != height)
    return false;

  pixels.width = width;
  pixels.height = height;
  pixels.key = (static_cast<uint32_t>(GetRValue(transparent)) << 16) |
               (static_cast<uint32_t>(GetGValue(transparent)) << 8) | GetBValue(transparent);
  return true;
}

bool HasInside(const TPixels& p) {
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.Inside(x, y)) return true;
  return false;
}

TRegion PixelRegion(const TPixels& p) {
  if (!HasInside(p)) return {};
  TRegion region(CreateRectRgn(0, 0, p.width, p.height));
  TRegion pixel(CreateRectRgn(0, 0, 1, 1));
  if (!region || !pixel) return {};
  for (int x = 0; x < p.width; ++x) {
    for (int y = 0; y < p.height; ++y) {
      if (p.Inside(x, y)) continue;
      SetRectRgn(pixel.Get(), x, y, x + 1, y + 1);
      if (CombineRgn(region.Get(), region.Get(), pixel.Get(), RGN_DIFF) == ERROR) return {};
    }
  }
  return region;
}

// Headings of the outline walk: right, down, left, up.
constexpr int kDx[4] = {1, 0, -1, 0};
constexpr int kDy[4] = {0, 1, 0, -1};
constexpr int kUp = 3;
int TurnLeft(int d) { return (d + 3) & 3; }
int TurnRight(int d) { return (d + 1) & 3; }

constexpr size_t kMaxContourPoints = 1001;

enum class TWalkResult { Closed, LonePixel, TooManyRuns, Endless };

// Follows the outline of the shape holding the start pixel (its topmost, then
// leftmost pixel), keeping the outside on the walker's left, and records one corner
// point per straight run. The walk ends when it is back at the start pixel about to
// repeat its first step: a start pixel where two thin arms meet is passed more than
// once, and stopping on the first return there would drop the rest of the outline.
TWalkResult WalkOutline(const TPixels& p, int sx, int sy, std::vector<POINT>& points) {
  int x = sx, y = sy, dir = kUp, firstStep = -1, turnsInPlace = 0;
  bool turned = true;
  // Each pixel is left at most once per heading in one loop round the outline.
  const int64_t maxMoves = 4 * static_cast<int64_t>(p.width) * p.height + 8;
  for (int64_t move = 0; move < maxMoves; ++move) {
    int step;
    if (p.Inside(x + kDx[TurnLeft(dir)], y + kDy[TurnLeft(dir)])) {
      step = TurnLeft(dir);
    } else if (p.Inside(x + kDx[dir], y + kDy[dir])) {
      step = dir;
    } else {
      dir = TurnRight(dir);
      turned = true;
      if (++turnsInPlace == 4) return TWalkResult::LonePixel;  // no neighbour at all
      continue;
    }
    if (x == sx && y == sy && step == firstStep) return TWalkResult::Closed;
    if (firstStep < 0) firstStep = step;
    if (step != dir) turned = true;
    dir = step;
    turnsInPlace = 0;
    x += kDx[dir];
    y += kDy[dir];
    // The corner point of this step; the first step of a run adds a point, the others
    // move it along, so the run's last step decides where it lies.
    const POINT corner{dir == 1 ? x + 1 : x, dir == 2 ? y + 1 : y};
    if (turned) {
      if (points.size() == kMaxContourPoints) return TWalkResult::TooManyRuns;
      points.push_back(corner);
      turned = false;
    } else {
      points.back() = corner;
    }
  }
  return TWalkResult::Endless;
}

bool IsEmptyRegion(HRGN region) {
  RECT box;
  return GetRgnBox(region, &box) == NULLREGION;
}

}  // namespace

TRegion BitmapPixelRegion(HBITMAP bitmap, COLORREF transparent) {
  TPixels pixels;
  if (!ReadPixels(bitmap, transparent, pixels)) return {};
  return PixelRegion(pixels);
}

TRegion BitmapContourRegion(HBITMAP bitmap, COLORREF transparent) {
  TPixels pixels;
  if (!ReadPixels(bitmap, transparent, pixels)) return {};

  int sx = -1, sy = -1;
  for (int y = 0; y < pixels.height && sx < 0; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      if (pixels.Inside(x, y)) {
        sx = x;
        sy = y;
        break;
      }
    }
  }
  if (sx < 0) return {};

  std::vector<POINT> points;
  points.reserve(kMaxContourPoints);
  switch (WalkOutline(pixels, sx, sy, points)) {
    case TWalkResult::LonePixel:
      return TRegion(CreateRectRgn(sx, sy, sx + 1, sy + 1));
    case TWalkResult::TooManyRuns:
    case TWalkResult::Endless:
      return PixelRegion(pixels);
    case TWalkResult::Closed:
      break;
  }
  // Fewer than three corners (a line one pixel thick) enclose nothing; neither may
  // the polygon of a tiny shape once its corners are cut. Such a shape would vanish.
  if (points.size() >= 3) {
    TRegion region(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE));
    if (region && !IsEmptyRegion(region.Get())) return region;
  }
  return PixelRegion(pixels);
}

void ClearWindowRegion(HWND window) {
  // A window that has no region is left alone: removing none would still recompute its
  // frame and repaint it.
  RECT box;
  if (window && GetWindowRgnBox(window, &box) != ERROR) SetWindowRgn(window, nullptr, TRUE);
}
