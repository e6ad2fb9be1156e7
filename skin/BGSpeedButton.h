// TBGSpeedButton: the flat speed button over the window picture. A flat button shows
// its parent behind it; the plain one asks the parent to paint itself into the
// button, which a skinned parent answers with its plain face, so this one draws the
// part of the parent's picture under it instead.
#pragma once
#include "toolkit/SpeedButton.h"

class TBGSpeedButton : public TSpeedButton {
 public:
  using TSpeedButton::TSpeedButton;

 protected:
  void PaintParentFace(HDC dc, const RECT& rect) override;
};
