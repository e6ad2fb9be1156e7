#include "skin/BGBitBtn.h"

#include "toolkit/Painting.h"

TBGBitBtn::TBGBitBtn(TControl& parent, const TControlArgs& args, const TGlyphLayout& layout)
    : TBGControl<TBitBtn>(parent, args, layout) {}

void TBGBitBtn::DrawFace(HDC dc, const RECT& rect, UINT state) {
  if (!Skinned()) {
    TBitBtn::DrawFace(dc, rect, state);
    return;
  }
  const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
  ComposeSkinned(FaceBuffer(), dc, POINT{rect.left, rect.top}, size, 0, Color(), Background(), [&](HDC face) {
    // The off-screen DC starts with the system font.
    TDCSelect font(face, Font() ? Font()->Handle() : nullptr);
    TBitBtn::DrawFace(face, RECT{0, 0, size.cx, size.cy}, state);
  });
}
