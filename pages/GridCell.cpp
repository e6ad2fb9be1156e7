#include "pages/GridCell.h"

void DrawGridCell(const TDrawGrid& grid, HDC dc, const RECT& rect, unsigned state, const TPicture* icon,
                  int iconGap, const std::wstring& text) {
  if (!(state & (gdFixed | gdSelected)) && !grid.Enabled()) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  int x = rect.left + kGridTextIndent;
  if (icon && !icon->Empty()) {
    icon->Draw(dc, x, rect.top);
    x += icon->Width() + iconGap;
  }
  TextOutW(dc, x, rect.top + 1, text.c_str(), static_cast<int>(text.size()));
}
