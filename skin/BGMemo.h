// TBGMemo: the multi-line edit over the window picture. The platform scrolls an edit by
// copying its pixels on the screen, which would drag the picture along with the lines.
// Scroll requests therefore run with the window hidden behind an empty region and end
// in a full composed repaint (TScrollHider); scrolling that the edit does by itself
// while handling keys, typing or a mouse drag is noticed afterwards and also ends in a
// full repaint.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/Memo.h"

class TBGMemo : public TBGControl<TMemo> {
 public:
  TBGMemo(TControl& parent, const TControlArgs& args, const TMemoOptions& options = {});

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // Where the text lies in the window: the first visible line and its left edge.
  POINT ScrollPosition() const;
};
