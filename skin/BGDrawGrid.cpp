#include "skin/BGDrawGrid.h"

TBGDrawGrid::TBGDrawGrid(TControl& parent, const TControlArgs& args, const TGridOptions& options)
    : TBGControl<TDrawGrid>(parent, args, options) {}

LRESULT TBGDrawGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (Skinned() && IsScrollRequest(msg)) {
    TScrollHider hidden(Handle());
    return TBGControl<TDrawGrid>::WndProc(msg, wParam, lParam);
  }
  return TBGControl<TDrawGrid>::WndProc(msg, wParam, lParam);
}
