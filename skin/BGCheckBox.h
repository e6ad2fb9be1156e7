// TBGCheckBox and its twin TBGRadioButton: the check box and the radio button over the
// window picture. The native button repaints itself directly on the screen, in its
// plain colours, whenever its check state or its pushed state changes (by a click, a
// key or code) and when it gains the focus (the focus rectangle, inverted over whatever
// is there); each such change is therefore followed by a composed repaint.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/CheckBox.h"

// Invalidates after the button's state-change requests; for both skinned buttons.
template <class Base>
class TBGStateButton : public TBGControl<Base> {
 public:
  using TBGControl<Base>::TBGControl;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == BM_SETCHECK || msg == BM_SETSTATE || msg == WM_SETFOCUS) {
      const LRESULT result = TBGControl<Base>::WndProc(msg, wParam, lParam);
      this->Invalidate();
      return result;
    }
    return TBGControl<Base>::WndProc(msg, wParam, lParam);
  }
};

class TBGCheckBox : public TBGStateButton<TCheckBox> {
 public:
  TBGCheckBox(TControl& parent, const TControlArgs& args, bool leftText = false);
};
