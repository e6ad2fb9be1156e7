#include "toolkit/BackBuffer.h"

#include "toolkit/Painting.h"

TBackBuffer::TBackBuffer(HDC target, const RECT& area) : target_(target), area_(area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // A DIB, not a bitmap compatible with the target: under Wine, making a device bitmap
  // and selecting it each ask the display driver for the screen's size, three round
  // trips to the server each time, in every paint of every control drawn here.
  bitmap_ = MakeTopDownDib(width, height);
  if (!bitmap_) return;
  memory_ = TMemoryDC(CreateCompatibleDC(target));
  if (!memory_) return;
  oldBitmap_ = SelectObject(memory_.Get(), bitmap_.Get());
  // Drawing at the area's top-left lands in the bitmap's first pixel.
  SetViewportOrgEx(memory_.Get(), -area.left, -area.top, nullptr);
}

TBackBuffer::~TBackBuffer() {
  if (!memory_) return;
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
         memory_.Get(), area_.left, area_.top, SRCCOPY);
  SelectObject(memory_.Get(), oldBitmap_);  // the bitmap is deleted after the DC lets go of it
}
