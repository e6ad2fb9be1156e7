#include "skin/BGControl.h"

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

HDC TFaceBuffer::Prepare(SIZE size, COLORREF fill) {
  if (!dc_ || bitmap_.Width() != size.cx || bitmap_.Height() != size.cy) {
    Release();
    bitmap_.SetSize(size.cx, size.cy);
    dc_ = TMemoryDC(CreateCompatibleDC(nullptr));
    if (!dc_) return nullptr;
    old_ = SelectObject(dc_.Get(), bitmap_.Handle());
    if (!old_) {
      Release();
      return nullptr;
    }
  }
  GdiFlush();
  const uint32_t pixel = PixelOf(fill);
  std::fill_n(bitmap_.Bits(), static_cast<size_t>(size.cx) * size.cy, pixel);
  return dc_.Get();
}

void TFaceBuffer::Release() noexcept {
  if (!dc_) return;
  if (old_) SelectObject(dc_.Get(), old_);
  dc_.Reset();
  old_ = nullptr;
}

void ComposeSkinned(TFaceBuffer& buffer, HDC target, POINT at, SIZE size, int b, COLORREF key,
                    const TSkinBitmap& background, const std::function<void(HDC)>& paintFace,
                    const std::function<void(HDC)>& overlay) {
  if (size.cx <= 0 || size.cy <= 0) return;
  HDC dc = buffer.Prepare(size, key);
  if (!dc) return;
  // Standard controls leave clipping and selections behind in a DC they were handed.
  const int saved = SaveDC(dc);
  paintFace(dc);
  RestoreDC(dc, saved);
  GdiFlush();  // the pixels are read directly below
  KeyOut(buffer.Bitmap(), background, b, key);
  if (overlay) {
    const int again = SaveDC(dc);
    overlay(dc);
    RestoreDC(dc, again);
  }
  BitBlt(target, at.x, at.y, size.cx, size.cy, dc, 0, 0, SRCCOPY);
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
  TGdiObject<HRGN> empty(CreateRectRgn(0, 0, 0, 0));
  if (!empty) return;
  // No redraw: nothing of the window should change on the screen until the end.
  hidden_ = SetWindowRgn(window_, empty.Get(), FALSE) != 0;
  if (hidden_) empty.Release();  // the window owns it once set
}

TScrollHider::~TScrollHider() {
  if (!hidden_ || !IsWindow(window_)) return;
  SetWindowRgn(window_, nullptr, TRUE);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}
