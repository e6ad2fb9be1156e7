#include "skin/BGImage.h"

#include "skin/Background.h"

void TBGImage::PaintBackground(HDC dc, const RECT& clip) {
  if (!DrawParentBackground(Handle(), dc, clip)) TImage::PaintBackground(dc, clip);
}
