// TBGLabel: a label that lets the window picture show around its letters. Instead of
// filling its rectangle with a colour it draws the part of its parent's background
// that lies beneath it, so it looks printed on the picture wherever it sits in the
// chain of skinned parents. Transparency is on from creation.
#pragma once
#include "toolkit/Label.h"

class TBGLabel : public TLabel {
 public:
  TBGLabel(TControl& parent, const TControlArgs& args, TAlignment alignment = TAlignment::Left,
           bool wordWrap = false);

  bool Transparent() const noexcept { return transparent_; }
  // Off: the label fills its rectangle like a plain label.
  void SetTransparent(bool transparent);

 protected:
  // The parent's picture under the label; without one, the plain label's background.
  void PaintBackground(HDC dc, const RECT& rect) override;

 private:
  bool transparent_ = true;
};
