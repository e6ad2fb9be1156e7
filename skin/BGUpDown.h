// TBGUpDown: the pair of arrow buttons over the window picture. The platform paints the
// buttons in its own face colours whatever the control's colour is, so only what it
// paints in that colour gives way to the picture; the buttons keep their faces.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/UpDown.h"

class TBGUpDown : public TBGControl<TUpDown> {
 public:
  TBGUpDown(TControl& parent, const TControlArgs& args, const TUpDownOptions& options = {});
};
