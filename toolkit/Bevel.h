// TBevel: a lowered or raised frame, box or line. It is a real child window (tests and
// accessibility tools find it by name and bounds), but only its lines belong to it:
// its window region holds the line pixels alone, so whatever lies under the rest of
// its rectangle stays visible and takes the clicks, as for a drawn shape.
#pragma once
#include "toolkit/CustomControl.h"

enum class TBevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
enum class TBevelStyle { Lowered, Raised };

class TBevel : public TCustomControl {
 public:
  TBevel(TControl& parent, const TControlArgs& args, TBevelShape shape = TBevelShape::Box,
         TBevelStyle style = TBevelStyle::Lowered);

  TBevelShape Shape() const noexcept { return shape_; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const noexcept { return style_; }
  void SetStyle(TBevelStyle style);

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateRegion();

  TBevelShape shape_;
  TBevelStyle style_;
};
