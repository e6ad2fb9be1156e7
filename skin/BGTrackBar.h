// TBGTrackBar: the track bar over the window picture. Its client area lies BorderWidth
// pixels inside its outer edge; that border, which the plain track bar paints in its
// colour, shows the picture too.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/TrackBar.h"

class TBGTrackBar : public TBGControl<TTrackBar> {
 public:
  TBGTrackBar(TControl& parent, const TControlArgs& args, const TTrackBarOptions& options = {});

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintSkinnedBorder();
};
