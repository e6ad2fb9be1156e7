#include "skin/BGSpeedButton.h"

#include "skin/Background.h"

void TBGSpeedButton::PaintParentFace(HDC dc, const RECT& rect) {
  if (!DrawParentBackground(Handle(), dc, rect)) TSpeedButton::PaintParentFace(dc, rect);
}
