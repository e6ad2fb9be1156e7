#include "BGControl.h"

#include <algorithm>
#include <cstdint>

namespace {

uint32_t PixelOf(COLORREF colour) {
  return (static_cast<uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// Every pixel of `key` in `face` takes the colour of `background` at x + b, y + b.
// Themed painting may leave the alpha byte at 0 or 255, so only the colour counts.
void KeyOut(TSkinBitmap& face, const TSkinBitmap& background, int b, COLORREF key) {
  const uint32_t wanted = PixelOf(key);
  uint32_t* pixels = face.Bits();
  const uint32_t* picture = background.Bits();
  if (!pixels || !picture) return;
  const int width = face.Width(), height = face.Height();
  for (int y = 0; y < height; ++y) {
    const int py = y + b;
    if (py < 0 || py >= background.Height()) continue;
    uint32_t* row = pixels + static_cast<size_t>(y) * width;
    const uint32_t* source = picture + static_cast<size_t>(py) * background.Width();
    // Columns of the face that the picture covers.
    const int first = b < 0 ? -b : 0;
    const int last = std::min(width, background.Width() - b);
    for (int x = first; x < last; ++x)
      if ((row[x] & 0xFFFFFF) == wanted) row[x] = source[x + b] & 0xFFFFFF;
  }
}

}  // namespace

int BorderOffset(HWND window) {
  if (!window) return 0;
  RECT outer{};
  GetWindowRect(window, &outer);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return origin.x - outer.left;
}

void ComposeSkinned(HDC target, POINT at, SIZE size, int b, COLORREF key, const TSkinBitmap& background,
                    const std::function<void(HDC)>& paintFace, const std::function<void(HDC)>& overlay) {
  if (size.cx <= 0 || size.cy <= 0) return;
  TSkinBitmap face(size.cx, size.cy, key);
  {
    TBitmapDC dc(face.Handle());
    if (!dc.DC()) return;
    paintFace(dc.DC());
  }
  GdiFlush();  // the pixels are read directly below
  KeyOut(face, background, b, key);
  if (overlay) {
    TBitmapDC dc(face.Handle());
    if (dc.DC()) overlay(dc.DC());
  }
  face.Draw(target, at.x, at.y);
}

bool IsScrollRequest(UINT msg) {
  switch (msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case EM_LINESCROLL:
    case EM_SCROLL:
    case EM_SCROLLCARET:
      return true;
  }
  return false;
}

TScrollHider::TScrollHider(HWND window) : window_(window) {
  HRGN empty = CreateRectRgn(0, 0, 0, 0);
  if (!empty) return;
  // No redraw: nothing of the window should change on the screen until the end.
  hidden_ = SetWindowRgn(window_, empty, FALSE) != 0;
  if (!hidden_) DeleteObject(empty);
}

TScrollHider::~TScrollHider() {
  if (!hidden_ || !IsWindow(window_)) return;
  SetWindowRgn(window_, nullptr, TRUE);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}
