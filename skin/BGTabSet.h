// TBGTabSet: the tab set over the window picture: whatever it paints in its colour (the
// free space, tabs of that colour) shows the picture; outlines and captions stay.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/TabSet.h"

class TBGTabSet : public TBGControl<TTabSet> {
 public:
  TBGTabSet(TControl& parent, const TControlArgs& args, const TTabSetOptions& options = {});
};
