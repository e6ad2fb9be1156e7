// The two ways of turning a picture into a window region for shaped buttons: exact,
// pixel by pixel, or fast, by tracing the shape's outline once.
#include "skin/Regions.h"

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

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
