#include "pages/GridCell.h"

#include <algorithm>

void DrawGridCell(const TDrawGrid& grid, HDC dc, const RECT& rect, unsigned state, const TPicture* icon,
                  int iconGap, const std::wstring& text) {
  if (!(state & (gdFixed | gdSelected)) && !grid.Enabled()) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  int x = rect.left + kGridTextIndent;
  if (icon && !icon->Empty()) {
    icon->Draw(dc, x, rect.top);
    x += icon->Width() + iconGap;
  }
  // The last column may reach beyond the grid: the text ends where the eye sees it end.
  RECT area{x, rect.top + 1, std::min<LONG>(rect.right, grid.ClientWidth()), rect.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_NOCLIP);
}
