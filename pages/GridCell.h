// How the pages' grids write a cell: the text from the cell's left edge plus 2 and one
// pixel below its top, after an optional icon, over what the grid painted, ending in
// an ellipsis where the cell (or the grid) is too narrow for it; on a
// disabled grid the rows below the header are greyed out, except the selected one,
// whose highlight keeps its own colours. The records and hierarchy grids share it.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/DrawGrid.h"
#include "toolkit/Picture.h"

inline constexpr int kGridTextIndent = 2;

// `icon` (may be null) is drawn at the text's start with its top-left corner at the
// cell's top; the text follows it after `iconGap` pixels.
void DrawGridCell(const TDrawGrid& grid, HDC dc, const RECT& rect, unsigned state, const TPicture* icon,
                  int iconGap, const std::wstring& text);
