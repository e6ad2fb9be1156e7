// TBGDrawGrid: the owner-drawn grid over the window picture. Cells and lines painted in
// the grid's colour show the picture. Scroll requests run with the window hidden
// behind an empty region and end in a full composed repaint, as for the skinned memo.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/DrawGrid.h"

class TBGDrawGrid : public TBGControl<TDrawGrid> {
 public:
  TBGDrawGrid(TControl& parent, const TControlArgs& args, const TGridOptions& options = {});

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
