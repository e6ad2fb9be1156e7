// TBGBitBtn: the bitmap button over the window picture. The toolkit draws this button
// itself (owner-drawn); the skinned button hands that drawing step an off-screen
// bitmap of the button's size and lays the result over its cut-out with the button's
// colour left out, so the face colour shows the picture while the frame, glyph and
// caption stay.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/BitBtn.h"

class TBGBitBtn : public TBGControl<TBitBtn> {
 public:
  TBGBitBtn(TControl& parent, const TControlArgs& args, const TGlyphLayout& layout = {});

 protected:
  void DrawFace(HDC dc, const RECT& rect, UINT state) override;
  bool ComposesOnPaint() const override { return false; }
};

// The skinned button under its other name.
using TBGButton = TBGBitBtn;
