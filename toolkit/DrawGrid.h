// TDrawGrid: a grid whose cells the owner draws. It keeps only the geometry and the
// selection; OnDrawCell paints a cell's content, called only for the cells of the
// rows on screen, so a grid of 10,000 rows paints as fast as one of 10. Rows all have
// one height; the first FixedRows rows form a header that stays in place while the
// others scroll under it with the vertical scroll bar (there is no horizontal one:
// columns that do not fit are cut at the right edge).
//
// Selection: one cell, or with RowSelect the whole row. The user moves it with a click
// or the arrow, Page Up, Page Down, Home and End keys; OnSelectCell may refuse the
// move, OnClick runs after it. Setting Row or Col from code raises nothing. With
// ColSizing the user drags a column's right edge within the header to resize it.
//
// Other keys are the owner's: OnKeyDown sees every key pressed in the grid before the
// grid moves by it, Enter too (which would otherwise go on to the page's default
// button), and OnDblClick runs for a double click on a row below the header, once
// that row is selected.
//
// Screen readers cannot see what the owner draws: with OnGetCellText the grid offers
// its rows below the header as the items of a list (toolkit/Accessible.h), each named
// by its cells' texts, and the header's texts as the grid's description.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Accessible.h"
#include "toolkit/CustomControl.h"
#include "toolkit/StdControl.h"

enum TGridDrawFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

struct TGridOptions {
  int colCount = 5;
  int rowCount = 5;
  int fixedRows = 1;
  int defaultColWidth = 64;
  int defaultRowHeight = 24;
  int gridLineWidth = 1;
  bool fixedVertLine = true;  // lines between header cells (and their raised edges)
  bool fixedHorzLine = true;
  bool vertLine = true;       // lines between the other cells
  bool horzLine = true;
  bool rowSelect = false;
  bool colSizing = false;
  TBorderStyle border = TBorderStyle::Single;  // fixed at creation
};

class TDrawGrid;
// `dc` has the grid's font selected, the text colour of the cell's state and a
// transparent background mode; the cell's background is already painted.
using TDrawCellEvent =
    std::function<void(TDrawGrid& sender, HDC dc, int col, int row, const RECT& rect, unsigned state)>;
using TSelectCellEvent = std::function<void(TDrawGrid& sender, int col, int row, bool& canSelect)>;
using TCellTextEvent = std::function<std::wstring(const TDrawGrid& sender, int col, int row)>;

class TDrawGrid : public TCustomControl, private TAccessibleItems {
 public:
  static constexpr int kMinColWidth = 4;  // the narrowest a drag makes a column

  TDrawGrid(TControl& parent, const TControlArgs& args, const TGridOptions& options = {});

  int ColCount() const noexcept { return static_cast<int>(colWidths_.size()); }
  void SetColCount(int count);
  int RowCount() const noexcept { return rowCount_; }
  // Must stay above FixedRows (EError otherwise).
  void SetRowCount(int count);
  int FixedRows() const noexcept { return fixedRows_; }
  void SetFixedRows(int count);
  int DefaultColWidth() const noexcept { return defaultColWidth_; }
  // Gives every column this width.
  void SetDefaultColWidth(int width);
  int DefaultRowHeight() const noexcept { return rowHeight_; }
  void SetDefaultRowHeight(int height);
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  void SetColWidths(const std::vector<int>& widths);  // the first widths.size() columns
  int GridLineWidth() const noexcept { return options_.gridLineWidth; }
  void SetGridLineWidth(int width);
  COLORREF FixedColor() const noexcept { return fixedColor_; }
  void SetFixedColor(COLORREF colour);
  bool RowSelect() const noexcept { return options_.rowSelect; }
  void SetRowSelect(bool rowSelect);
  bool ColSizing() const noexcept { return options_.colSizing; }
  void SetColSizing(bool colSizing) { options_.colSizing = colSizing; }
  TBorderStyle BorderStyle() const { return BorderStyleOf(*this); }

  int Row() const noexcept { return row_; }
  // A row below the header; EError otherwise. Scrolls it into view.
  void SetRow(int row);
  int Col() const noexcept { return col_; }
  void SetCol(int col);
  // The first row shown below the header.
  int TopRow() const noexcept { return topRow_; }
  // Clamped so that the last page is full.
  void SetTopRow(int row);
  // Rows below the header that fit completely.
  int VisibleRowCount() const;

  // In client coordinates; empty for a cell that is not on screen.
  RECT CellRect(int col, int row) const;
  // The cell under a client point; false when there is none.
  bool MouseToCell(POINT point, int& col, int& row) const;

  // The texts of the row's cells that are not empty, joined by commas; empty without
  // OnGetCellText.
  std::wstring RowText(int row) const;

  TDrawCellEvent OnDrawCell;
  // The text a cell shows, as a screen reader should read it.
  TCellTextEvent OnGetCellText;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  // The handler sets the key to 0 when it acted on it; the grid then ignores it.
  TKeyEvent OnKeyDown;

  // Enter, offered by the message loop before any default button: to OnKeyDown.
  bool DialogKey(WPARAM key) override;

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  // Paints one cell: its background by state, then OnDrawCell clipped to the cell.
  virtual void DrawCell(HDC dc, int col, int row, const RECT& rect, unsigned state);
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  int Pitch() const noexcept { return rowHeight_ + options_.gridLineWidth; }
  int ColLeft(int col) const;
  int RowTop(int row) const;  // -1 for a row that is not on screen
  int MaxTopRow() const;
  int SizingEdgeAt(POINT point) const;
  unsigned CellState(int col, int row) const;
  void PaintRow(HDC dc, int row, int top, const RECT& clip);
  void PaintLines(HDC dc, int row, int top, const RECT& clip);
  void UpdateScrollBar();
  void ScrollInView(int row);
  void SelectByUser(int col, int row);
  void MouseDown(POINT point, bool doubleClick);
  void KeyDown(WPARAM key);
  void Scroll(WORD request);
  void CheckCol(int col) const;

  int AccessibleItemCount() const override;
  std::wstring AccessibleItemName(int index) const override;
  RECT AccessibleItemRect(int index) const override;
  bool AccessibleItemSelected(int index) const override;
  std::wstring AccessibleDescription() const override;

  TGridOptions options_;
  std::vector<int> colWidths_;
  int rowCount_;
  int fixedRows_;
  int defaultColWidth_;
  int rowHeight_;
  COLORREF fixedColor_;
  int row_ = 0;
  int col_ = 0;
  int topRow_ = 0;
  int sizingCol_ = -1;     // the column being resized by a drag
  bool updatingScroll_ = false;
};
