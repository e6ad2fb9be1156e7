#include "toolkit/DrawGrid.h"

#include <windowsx.h>

#include <algorithm>

#include "toolkit/Cursor.h"
#include "toolkit/Exception.h"
#include "toolkit/Painting.h"

namespace {

constexpr int kSizingSlack = 2;  // how near a column's edge the pointer must be to drag it
constexpr int kWheelRows = 3;

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool Intersects(const RECT& a, const RECT& b) {
  RECT overlap{};
  return IntersectRect(&overlap, &a, &b) != FALSE;
}

}  // namespace

TDrawGrid::TDrawGrid(TControl& parent, const TControlArgs& args, const TGridOptions& options)
    : TCustomControl(parent, args, L"TDrawGrid", WS_VSCROLL | WS_TABSTOP, BorderExStyle(options.border)),
      options_(options),
      rowCount_(options.rowCount),
      fixedRows_(options.fixedRows),
      defaultColWidth_(options.defaultColWidth),
      rowHeight_(options.defaultRowHeight),
      fixedColor_(GetSysColor(COLOR_BTNFACE)) {
  if (options.colCount < 1 || options.fixedRows < 0 || options.rowCount <= options.fixedRows)
    throw EError(L"The grid " + Name() + L" needs a column and a row below its fixed rows");
  if (options.defaultRowHeight < 1 || options.defaultColWidth < 0 || options.gridLineWidth < 0)
    throw EError(L"Bad cell size in the grid " + Name());
  colWidths_.assign(options.colCount, options.defaultColWidth);
  row_ = topRow_ = fixedRows_;
  SetColor(GetSysColor(COLOR_WINDOW));
  UpdateScrollBar();
}

void TDrawGrid::CheckCol(int col) const {
  if (col < 0 || col >= ColCount())
    throw EError(L"Grid column out of bounds (" + std::to_wstring(col) + L") in " + Name());
}

void TDrawGrid::SetColCount(int count) {
  if (count < 1) throw EError(L"The grid " + Name() + L" needs a column");
  colWidths_.resize(count, defaultColWidth_);
  col_ = std::min(col_, count - 1);
  Invalidate();
}

void TDrawGrid::SetRowCount(int count) {
  if (count <= fixedRows_) throw EError(L"The grid " + Name() + L" needs a row below its fixed rows");
  rowCount_ = count;
  row_ = std::min(row_, count - 1);
  UpdateScrollBar();
  Invalidate();
}

void TDrawGrid::SetFixedRows(int count) {
  if (count < 0 || count >= rowCount_) throw EError(L"The grid " + Name() + L" needs a row below its fixed rows");
  fixedRows_ = count;
  row_ = std::max(row_, count);
  topRow_ = std::max(topRow_, count);
  UpdateScrollBar();
  Invalidate();
}

void TDrawGrid::SetDefaultColWidth(int width) {
  if (width < 0) throw EError(L"Negative column width in " + Name());
  defaultColWidth_ = width;
  std::fill(colWidths_.begin(), colWidths_.end(), width);
  Invalidate();
}

void TDrawGrid::SetDefaultRowHeight(int height) {
  if (height < 1) throw EError(L"The rows of " + Name() + L" need a height");
  rowHeight_ = height;
  UpdateScrollBar();
  Invalidate();
}

int TDrawGrid::ColWidth(int col) const {
  CheckCol(col);
  return colWidths_[col];
}

void TDrawGrid::SetColWidth(int col, int width) {
  CheckCol(col);
  if (width < 0) throw EError(L"Negative column width in " + Name());
  if (colWidths_[col] == width) return;
  colWidths_[col] = width;
  Invalidate();
}

void TDrawGrid::SetColWidths(const std::vector<int>& widths) {
  for (size_t i = 0; i < widths.size(); ++i) SetColWidth(static_cast<int>(i), widths[i]);
}

void TDrawGrid::SetGridLineWidth(int width) {
  if (width < 0) throw EError(L"Negative grid line width in " + Name());
  options_.gridLineWidth = width;
  UpdateScrollBar();
  Invalidate();
}

void TDrawGrid::SetFixedColor(COLORREF colour) {
  fixedColor_ = colour;
  Invalidate();
}

void TDrawGrid::SetRowSelect(bool rowSelect) {
  options_.rowSelect = rowSelect;
  Invalidate();
}

void TDrawGrid::SetRow(int row) {
  if (row < fixedRows_ || row >= rowCount_)
    throw EError(L"Grid row out of bounds (" + std::to_wstring(row) + L") in " + Name());
  row_ = row;
  ScrollInView(row);
  Invalidate();
}

void TDrawGrid::SetCol(int col) {
  CheckCol(col);
  col_ = col;
  Invalidate();
}

int TDrawGrid::VisibleRowCount() const {
  const int room = ClientHeight() - fixedRows_ * Pitch();
  return std::max(room / Pitch(), 0);
}

int TDrawGrid::MaxTopRow() const {
  return std::max(fixedRows_, rowCount_ - std::max(VisibleRowCount(), 1));
}

void TDrawGrid::SetTopRow(int row) {
  row = std::clamp(row, fixedRows_, MaxTopRow());
  if (row == topRow_) return;
  topRow_ = row;
  UpdateScrollBar();
  Invalidate();
}

void TDrawGrid::ScrollInView(int row) {
  if (row < fixedRows_) return;
  if (row < topRow_)
    SetTopRow(row);
  else if (row >= topRow_ + VisibleRowCount())
    SetTopRow(row - std::max(VisibleRowCount(), 1) + 1);
}

void TDrawGrid::UpdateScrollBar() {
  if (!Handle() || updatingScroll_) return;
  TFlagScope updating(updatingScroll_);  // showing or hiding the bar resizes the client area
  topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS};
  info.nMin = 0;
  info.nMax = rowCount_ - fixedRows_ - 1;
  info.nPage = static_cast<UINT>(VisibleRowCount());
  info.nPos = topRow_ - fixedRows_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

int TDrawGrid::ColLeft(int col) const {
  int x = 0;
  for (int c = 0; c < col; ++c) x += colWidths_[c] + options_.gridLineWidth;
  return x;
}

int TDrawGrid::RowTop(int row) const {
  if (row < 0 || row >= rowCount_) return -1;
  if (row < fixedRows_) return row * Pitch();
  if (row < topRow_) return -1;
  const int top = (fixedRows_ + row - topRow_) * Pitch();
  return top < ClientHeight() ? top : -1;
}

RECT TDrawGrid::CellRect(int col, int row) const {
  const int top = RowTop(row);
  if (col < 0 || col >= ColCount() || top < 0) return {};
  const int left = ColLeft(col);
  if (left >= ClientWidth()) return {};
  return {left, top, left + colWidths_[col], top + rowHeight_};
}

bool TDrawGrid::MouseToCell(POINT point, int& col, int& row) const {
  if (point.x < 0 || point.y < 0 || point.x >= ClientWidth() || point.y >= ClientHeight()) return false;
  const int line = point.y / Pitch();
  row = line < fixedRows_ ? line : topRow_ + line - fixedRows_;
  if (row >= rowCount_) return false;
  int left = 0;
  for (col = 0; col < ColCount(); ++col) {
    const int right = left + colWidths_[col] + options_.gridLineWidth;
    if (point.x < right) return true;
    left = right;
  }
  return false;
}

unsigned TDrawGrid::CellState(int col, int row) const {
  if (row < fixedRows_) return gdFixed;
  unsigned state = 0;
  if (row == row_ && (options_.rowSelect || col == col_)) state |= gdSelected;
  if (row == row_ && col == col_ && Focused()) state |= gdFocused;
  return state;
}

void TDrawGrid::DrawCell(HDC dc, int col, int row, const RECT& rect, unsigned state) {
  COLORREF back = Color(), text = GetSysColor(COLOR_WINDOWTEXT);
  if (state & gdFixed) {
    back = fixedColor_;
    text = GetSysColor(COLOR_BTNTEXT);
  } else if (state & gdSelected) {
    back = GetSysColor(COLOR_HIGHLIGHT);
    text = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  FillColor(dc, rect, back);
  if ((state & gdFixed) && (options_.fixedVertLine || options_.fixedHorzLine)) {
    RECT edge = rect;
    UINT sides = 0;
    if (options_.fixedVertLine) sides |= BF_LEFT | BF_RIGHT;
    if (options_.fixedHorzLine) sides |= BF_TOP | BF_BOTTOM;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, sides);
  }
  if (!OnDrawCell) return;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  SetTextColor(dc, text);
  SetBkMode(dc, TRANSPARENT);
  OnDrawCell(*this, dc, col, row, rect, state);
  RestoreDC(dc, saved);
}

void TDrawGrid::PaintLines(HDC dc, int row, int top, const RECT& clip) {
  const int width = options_.gridLineWidth;
  if (width == 0) return;
  const bool fixed = row < fixedRows_;
  const COLORREF colour = GetSysColor(fixed ? COLOR_BTNSHADOW : COLOR_BTNFACE);
  const bool vert = fixed ? options_.fixedVertLine : options_.vertLine;
  const bool horz = fixed ? options_.fixedHorzLine : options_.horzLine;
  int x = 0;
  for (int col = 0; col < ColCount() && x < clip.right; ++col) {
    x += colWidths_[col];
    FillColor(dc, {x, top, x + width, top + Pitch()}, vert ? colour : Color());
    x += width;
  }
  FillColor(dc, {0, top + rowHeight_, x, top + Pitch()}, horz ? colour : Color());
}

void TDrawGrid::PaintRow(HDC dc, int row, int top, const RECT& clip) {
  int left = 0;
  for (int col = 0; col < ColCount() && left < clip.right; ++col) {
    const RECT cell{left, top, left + colWidths_[col], top + rowHeight_};
    if (Intersects(cell, clip)) DrawCell(dc, col, row, cell, CellState(col, row));
    left = cell.right + options_.gridLineWidth;
  }
  PaintLines(dc, row, top, clip);
  if (left < clip.right) FillColor(dc, {left, top, clip.right, top + Pitch()}, Color());
  if (row == row_ && options_.rowSelect && Focused()) {
    RECT focus{0, top, std::min(left, ClientWidth()), top + rowHeight_};
    ::DrawFocusRect(dc, &focus);
  }
}

void TDrawGrid::Paint(HDC dc, const RECT& clip) {
  int top = 0;
  for (int row = 0; row < fixedRows_ && top < clip.bottom; ++row, top += Pitch())
    if (top + Pitch() > clip.top) PaintRow(dc, row, top, clip);
  // Only the rows on screen: the cost follows the window's height, not the row count.
  for (int row = topRow_; row < rowCount_ && top < clip.bottom; ++row, top += Pitch())
    if (top + Pitch() > clip.top) PaintRow(dc, row, top, clip);
  if (top < clip.bottom) FillColor(dc, {clip.left, std::max<LONG>(top, clip.top), clip.right, clip.bottom}, Color());
}

std::wstring TDrawGrid::RowText(int row) const {
  std::wstring text;
  if (!OnGetCellText || row < 0 || row >= rowCount_) return text;
  for (int col = 0; col < ColCount(); ++col) {
    const std::wstring cell = OnGetCellText(*this, col, row);
    if (cell.empty()) continue;
    if (!text.empty()) text += L", ";
    text += cell;
  }
  return text;
}

int TDrawGrid::AccessibleItemCount() const { return rowCount_ - fixedRows_; }

std::wstring TDrawGrid::AccessibleItemName(int index) const { return RowText(fixedRows_ + index); }

RECT TDrawGrid::AccessibleItemRect(int index) const {
  const int top = RowTop(fixedRows_ + index);
  if (top < 0) return {};
  return {0, top, std::min(ColLeft(ColCount()), static_cast<int>(ClientWidth())), top + rowHeight_};
}

bool TDrawGrid::AccessibleItemSelected(int index) const { return fixedRows_ + index == row_; }

std::wstring TDrawGrid::AccessibleDescription() const {
  std::wstring text;
  for (int row = 0; row < fixedRows_; ++row) {
    const std::wstring header = RowText(row);
    if (header.empty()) continue;
    if (!text.empty()) text += L"; ";
    text += header;
  }
  return text;
}

void TDrawGrid::SelectByUser(int col, int row) {
  if (row < fixedRows_ || row >= rowCount_ || col < 0 || col >= ColCount()) return;
  if (row == row_ && col == col_) return;
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(*this, col, row, canSelect);
  if (!canSelect) return;
  row_ = row;
  col_ = col;
  ScrollInView(row);
  Invalidate();
  Fire(OnClick, *this);
}

// The column whose right edge lies under a header point, -1 for none.
int TDrawGrid::SizingEdgeAt(POINT point) const {
  if (!options_.colSizing || point.y < 0 || point.y >= fixedRows_ * Pitch()) return -1;
  int right = 0;
  for (int col = 0; col < ColCount(); ++col) {
    right += colWidths_[col];
    if (std::abs(point.x - right) <= kSizingSlack) return col;
    right += options_.gridLineWidth;
  }
  return -1;
}

void TDrawGrid::MouseDown(POINT point, bool doubleClick) {
  ::SetFocus(Handle());
  if (const int edge = SizingEdgeAt(point); edge >= 0) {
    sizingCol_ = edge;
    SetCapture(Handle());
    return;
  }
  int col = 0, row = 0;
  if (!MouseToCell(point, col, row)) return;
  SelectByUser(options_.rowSelect ? col_ : col, row);
  // Not on the header, nor on a row the owner refused: the selected row is the one
  // the user double-clicked.
  if (doubleClick && row >= fixedRows_ && row == row_) Fire(OnDblClick, *this);
}

bool TDrawGrid::DialogKey(WPARAM key) {
  if (key != VK_RETURN || !OnKeyDown) return false;
  WORD handled = static_cast<WORD>(key);
  OnKeyDown(*this, handled);
  return handled == 0;
}

void TDrawGrid::KeyDown(WPARAM key) {
  const int page = std::max(VisibleRowCount(), 1);
  int row = row_, col = col_;
  switch (key) {
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_PRIOR: row -= page; break;
    case VK_NEXT: row += page; break;
    case VK_HOME: row = fixedRows_; break;
    case VK_END: row = rowCount_ - 1; break;
    case VK_LEFT: if (!options_.rowSelect) --col; break;
    case VK_RIGHT: if (!options_.rowSelect) ++col; break;
    default: return;
  }
  SelectByUser(std::clamp(col, 0, ColCount() - 1), std::clamp(row, fixedRows_, rowCount_ - 1));
}

void TDrawGrid::Scroll(WORD request) {
  const int page = std::max(VisibleRowCount(), 1);
  switch (request) {
    case SB_LINEUP: SetTopRow(topRow_ - 1); break;
    case SB_LINEDOWN: SetTopRow(topRow_ + 1); break;
    case SB_PAGEUP: SetTopRow(topRow_ - page); break;
    case SB_PAGEDOWN: SetTopRow(topRow_ + page); break;
    case SB_TOP: SetTopRow(fixedRows_); break;
    case SB_BOTTOM: SetTopRow(rowCount_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit position: the message's own carries 16 bits only.
      SCROLLINFO info{sizeof info, SIF_TRACKPOS};
      GetScrollInfo(Handle(), SB_VERT, &info);
      SetTopRow(fixedRows_ + info.nTrackPos);
      break;
    }
  }
}

LRESULT TDrawGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown(PointOf(lParam), msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      if (sizingCol_ >= 0)
        SetColWidth(sizingCol_, std::max(static_cast<int>(PointOf(lParam).x) - ColLeft(sizingCol_), kMinColWidth));
      return 0;
    case WM_LBUTTONUP:
      if (sizingCol_ >= 0) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      sizingCol_ = -1;
      return 0;
    case WM_ENABLE:
      // The owner draws the cells by the grid's state (greyed while disabled), and a
      // paint of the grid's parent may have run just before the change.
      Invalidate();
      break;
    case WM_SETCURSOR:
      if (!Screen().Cursor() && LOWORD(lParam) == HTCLIENT) {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(Handle(), &point);
        if (sizingCol_ >= 0 || SizingEdgeAt(point) >= 0) {
          ::SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
          return TRUE;
        }
      }
      break;
    case WM_KEYDOWN: {
      auto key = static_cast<WORD>(wParam);
      if (OnKeyDown) OnKeyDown(*this, key);
      if (key) KeyDown(key);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_GETOBJECT:
      if (OnGetCellText) {
        // Found again by its window on each call: the object may outlive the grid.
        const HWND window = Handle();
        const TFindAccessibleItems items = [window]() -> const TAccessibleItems* {
          return dynamic_cast<TDrawGrid*>(TControl::FromHandle(window));
        };
        if (const LRESULT object = AnswerAccessibleItems(window, wParam, lParam, AccessibleName(), items))
          return object;
      }
      break;
    case WM_VSCROLL:
      Scroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      SetTopRow(topRow_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelRows);
      return 0;
    case WM_SIZE:
      UpdateScrollBar();
      Invalidate();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();  // the focus rectangle and the focused cell's state
      break;
  }
  return TCustomControl::WndProc(msg, wParam, lParam);
}
