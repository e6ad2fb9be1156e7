#include "skin/BGLabel.h"

#include "skin/Background.h"

TBGLabel::TBGLabel(TControl& parent, const TControlArgs& args, TAlignment alignment, bool wordWrap)
    : TLabel(parent, args, alignment, wordWrap) {}

void TBGLabel::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Invalidate();
}

void TBGLabel::PaintBackground(HDC dc, const RECT& rect) {
  if (transparent_ && DrawParentBackground(Handle(), dc, rect)) return;
  TLabel::PaintBackground(dc, rect);
}
