#include "toolkit/BackBuffer.h"

TBackBuffer::TBackBuffer(HDC target, const RECT& area) : target_(target), area_(area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  bitmap_ = CreateCompatibleBitmap(target, width, height);
  if (!bitmap_) return;
  memory_ = CreateCompatibleDC(target);
  if (!memory_) {
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
    return;
  }
  oldBitmap_ = SelectObject(memory_, bitmap_);
  // Drawing at the area's top-left lands in the bitmap's first pixel.
  SetViewportOrgEx(memory_, -area.left, -area.top, nullptr);
}

TBackBuffer::~TBackBuffer() {
  if (!memory_) return;
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
         memory_, area_.left, area_.top, SRCCOPY);
  SelectObject(memory_, oldBitmap_);
  DeleteDC(memory_);
  DeleteObject(bitmap_);
}
