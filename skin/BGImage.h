// TBGImage: a picture laid on the window picture. A skinned parent paints only its
// plain face when asked to paint into another DC, so the plain picture control would
// show that face around an icon; this one draws the part of the parent's background
// that lies beneath it instead, as the skinned label does.
#pragma once
#include "toolkit/Image.h"

class TBGImage : public TImage {
 public:
  using TImage::TImage;

 protected:
  void PaintBackground(HDC dc, const RECT& clip) override;
};
