// Double buffering for custom painting: a memory DC sized to the rectangle being
// painted, in the target's logical coordinates, that copies itself to the target when
// it goes out of scope. WM_PAINT and WM_PRINTCLIENT both paint through one, so a
// window never flickers and paints the same pixels into a caller's DC as on screen.
#pragma once
#include <windows.h>

#include "toolkit/Handle.h"

class TBackBuffer {
 public:
  // `area` is in the target's logical coordinates. When the memory DC cannot be made
  // (an empty area, no GDI resources left) DC() is the target itself, so painting
  // still happens, unbuffered.
  TBackBuffer(HDC target, const RECT& area);
  ~TBackBuffer();
  TBackBuffer(const TBackBuffer&) = delete;
  TBackBuffer& operator=(const TBackBuffer&) = delete;

  HDC DC() const noexcept { return memory_ ? memory_.Get() : target_; }
  const RECT& Area() const noexcept { return area_; }

 private:
  HDC target_;
  RECT area_;
  TGdiObject<HBITMAP> bitmap_;
  TMemoryDC memory_;
  HGDIOBJ oldBitmap_ = nullptr;
};
