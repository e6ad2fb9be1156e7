// The draw grid: only the rows on screen are painted (10,000 rows cost what 10 do),
// scrolling, the selection by mouse and keys with a refusable move, a column resized
// by dragging the header's edge, the cell states handed to OnDrawCell, and the rows a
// screen reader finds.
#include <gtest/gtest.h>

#include <memory>
#include <oleacc.h>
#include <set>

#include "toolkit/DrawGrid.h"
#include "tests/support/AccessibleNames.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

// Rows 16 high, the header and ten whole rows in a 176-pixel client area (180 high
// with the sunken edge); four columns as on the records page.
struct TGrid {
  TLog log;
  TRecordingForm form;
  TDrawGrid grid{form, {.name = L"GridRRs", .left = 10, .top = 10, .width = 280, .height = 180},
                 {.colCount = 4, .rowCount = 10000, .defaultRowHeight = 16, .gridLineWidth = 0,
                  .rowSelect = true, .colSizing = true}};
  std::vector<std::pair<int, int>> drawn;  // (col, row) of every OnDrawCell call

  TGrid() {
    grid.SetColWidths({90, 101, 160, 415});
    grid.OnDrawCell = [this](TDrawGrid&, HDC, int col, int row, const RECT&, unsigned) { drawn.emplace_back(col, row); };
    grid.OnSelectCell = [this](TDrawGrid&, int, int row, bool&) { log.push_back("OnSelectCell " + std::to_string(row)); };
    grid.OnClick = [this](TControl&) { log.push_back("OnClick " + std::to_string(grid.Row())); };
  }
  // Paints the whole client area once and returns the rows drawn.
  std::set<int> Paint() {
    drawn.clear();
    TPixels p(grid.Handle());
    std::set<int> rows;
    for (const auto& [col, row] : drawn) rows.insert(row);
    return rows;
  }
  void ClickRow(int screenLine) { Click(grid.Handle(), 50, screenLine * 16 + 8); }
};

std::set<int> Range(int first, int last) {
  std::set<int> rows;
  for (int r = first; r <= last; ++r) rows.insert(r);
  return rows;
}

}  // namespace

TEST(DrawGrid, PaintsTheHeaderAndTheRowsOnScreenOnly) {
  TGrid g;
  ASSERT_EQ(g.grid.ClientHeight(), 176);
  EXPECT_EQ(g.grid.VisibleRowCount(), 10);
  EXPECT_EQ(g.Paint(), Range(0, 10));
  // Three columns start inside 276 pixels; the fourth lies beyond the right edge.
  EXPECT_EQ(g.drawn.size(), 11u * 3);

  SendMessageW(g.grid.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(g.grid.TopRow(), 11);
  std::set<int> expected = Range(11, 20);
  expected.insert(0);
  EXPECT_EQ(g.Paint(), expected);
  SendMessageW(g.grid.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(g.grid.TopRow(), 9990);  // the last page is full
  expected = Range(9990, 9999);
  expected.insert(0);
  EXPECT_EQ(g.Paint(), expected);
  SendMessageW(g.grid.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(g.grid.TopRow(), 9987);
  SCROLLINFO info{sizeof info, SIF_ALL};
  GetScrollInfo(g.grid.Handle(), SB_VERT, &info);
  EXPECT_EQ(info.nMax, 9998);
  EXPECT_EQ(info.nPage, 10u);
  EXPECT_EQ(info.nPos, 9986);
}

TEST(DrawGrid, ClicksAndKeysMoveTheSelectionThroughOnSelectCell) {
  TGrid g;
  g.ClickRow(3);
  g.ClickRow(0);  // the header cannot be selected
  EXPECT_EQ(g.log, (TLog{"OnSelectCell 3", "OnClick 3"}));
  EXPECT_TRUE(g.grid.Focused());
  g.log.clear();
  PressKey(g.grid.Handle(), VK_DOWN);
  PressKey(g.grid.Handle(), VK_NEXT);
  EXPECT_EQ(g.grid.Row(), 14);
  EXPECT_EQ(g.grid.TopRow(), 5);  // scrolled to keep the row on screen
  PressKey(g.grid.Handle(), VK_END);
  EXPECT_EQ(g.grid.Row(), 9999);
  PressKey(g.grid.Handle(), VK_HOME);
  PressKey(g.grid.Handle(), VK_UP);  // already on the first row: nothing
  EXPECT_EQ(g.grid.Row(), 1);
  EXPECT_EQ(g.grid.TopRow(), 1);
  EXPECT_EQ(g.log, (TLog{"OnSelectCell 4", "OnClick 4", "OnSelectCell 14", "OnClick 14", "OnSelectCell 9999",
                         "OnClick 9999", "OnSelectCell 1", "OnClick 1"}));

  g.log.clear();
  g.grid.OnSelectCell = [&](TDrawGrid&, int, int row, bool& canSelect) { canSelect = row != 5; };
  g.ClickRow(5);
  EXPECT_EQ(g.grid.Row(), 1);
  g.grid.SetRow(7);  // code: silent
  EXPECT_EQ(g.grid.Row(), 7);
  EXPECT_TRUE(g.log.empty());
  EXPECT_THROW(g.grid.SetRow(0), EError);
  EXPECT_THROW(g.grid.SetRowCount(1), EError);
  g.grid.SetRowCount(2);  // the selection follows
  EXPECT_EQ(g.grid.Row(), 1);
  EXPECT_EQ(g.grid.TopRow(), 1);
}

TEST(DrawGrid, ADoubleClickSelectsTheRowAndRaisesOnDblClick) {
  TGrid g;
  g.grid.OnDblClick = [&](TControl&) { g.log.push_back("OnDblClick " + std::to_string(g.grid.Row())); };
  SendMessageW(g.grid.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 2 * 16 + 8));
  EXPECT_EQ(g.log, (TLog{"OnSelectCell 2", "OnClick 2", "OnDblClick 2"}));
}

TEST(DrawGrid, DraggingAHeaderEdgeResizesTheColumn) {
  TGrid g;
  MouseDown(g.grid.Handle(), 91, 8);  // column 0's right edge, within the slack
  SendMessageW(g.grid.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 8));
  MouseUp(g.grid.Handle(), 130, 8);
  EXPECT_EQ(g.grid.ColWidth(0), 130);
  EXPECT_EQ(g.grid.CellRect(1, 1).left, 130);
  MouseDown(g.grid.Handle(), 130, 8);
  SendMessageW(g.grid.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-50, 8));
  MouseUp(g.grid.Handle(), -50, 8);
  EXPECT_EQ(g.grid.ColWidth(0), TDrawGrid::kMinColWidth);
  SendMessageW(g.grid.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 8));  // released: no drag
  EXPECT_EQ(g.grid.ColWidth(0), TDrawGrid::kMinColWidth);
  EXPECT_TRUE(g.log.empty());  // the header press selected nothing

  g.grid.SetColSizing(false);
  MouseDown(g.grid.Handle(), TDrawGrid::kMinColWidth, 8);
  SendMessageW(g.grid.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 8));
  MouseUp(g.grid.Handle(), 100, 8);
  EXPECT_EQ(g.grid.ColWidth(0), TDrawGrid::kMinColWidth);
  EXPECT_THROW(g.grid.SetColWidth(4, 10), EError);
}

TEST(DrawGrid, CellsGetTheirStateAndTheSelectedRowItsHighlight) {
  TGrid g;
  std::vector<unsigned> states(3);
  g.grid.OnDrawCell = [&](TDrawGrid&, HDC dc, int col, int row, const RECT&, unsigned state) {
    if (col == 1 && row <= 2) states[row] = state;
    if (row == 2) EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_HIGHLIGHTTEXT));
  };
  g.grid.SetRow(2);
  g.grid.SetFocus();
  const TPixels p(g.grid.Handle());
  EXPECT_EQ(states, (std::vector<unsigned>{gdFixed, 0, gdSelected}));  // the focus goes with the current cell
  EXPECT_EQ(p.At(150, 2 * 16 + 8), Rgb(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(p.At(150, 16 + 8), Rgb(g.grid.Color()));
  EXPECT_EQ(p.At(150, 175), Rgb(g.grid.Color()));
}

// What a screen reader finds in a grid whose owner gives the cells' texts: the rows
// below the header as the items of a list, each named by its cells' texts (empty cells
// left out), the header's texts as the grid's description, the selected row selected.
TEST(DrawGrid, AScreenReaderHearsEachRowBelowTheHeaderByItsCellsTexts) {
  TRecordingForm form;
  // The header and four whole rows: 5 * 16 pixels inside the sunken edge.
  TDrawGrid grid(form, {.name = L"GridRRs", .left = 10, .top = 10, .width = 280, .height = 84},
                 {.colCount = 3, .rowCount = 7, .defaultRowHeight = 16, .gridLineWidth = 0, .rowSelect = true});
  const std::vector<std::vector<std::wstring>> cells = {
      {L"主机名", L"类型", L"值"}, {L"www", L"主机", L"192.168.1.1"}, {L"bbs", L"别名", L""},
      {L"", L"", L""},             {L"mail", L"邮件交换器", L"[10] mx1"}, {L"a", L"b", L"c"},
      {L"last", L"", L"row"}};
  EXPECT_FALSE(vt::test::TAccessibleObject(grid.Handle()));  // without texts the platform answers
  grid.OnGetCellText = [&](const TDrawGrid&, int col, int row) { return cells.at(row).at(col); };
  grid.SetAccessibleName(L"资源记录");

  const vt::test::TAccessibleObject list(grid.Handle());
  ASSERT_TRUE(list);
  EXPECT_EQ(list.Name(), L"资源记录");
  EXPECT_EQ(list.Role(), ROLE_SYSTEM_LIST);
  EXPECT_EQ(list.Description(), L"主机名, 类型, 值");
  EXPECT_EQ(list.ChildNames(), (std::vector<std::wstring>{L"www, 主机, 192.168.1.1", L"bbs, 别名", L"",
                                                          L"mail, 邮件交换器, [10] mx1", L"a, b, c", L"last, row"}));
  EXPECT_EQ(list.Role(4), ROLE_SYSTEM_LISTITEM);
  EXPECT_EQ(list.NameResult(7), E_INVALIDARG);

  grid.SetRow(2);
  EXPECT_NE(list.State(2) & STATE_SYSTEM_SELECTED, 0);
  EXPECT_EQ(list.State(1) & STATE_SYSTEM_SELECTED, 0);
  EXPECT_EQ(list.State(1) & STATE_SYSTEM_OFFSCREEN, 0);
  EXPECT_NE(list.State(6) & STATE_SYSTEM_OFFSCREEN, 0);  // scrolled out of sight

  // The same object follows the grid's rows as they change.
  grid.SetRowCount(3);
  EXPECT_EQ(list.ChildCount(), 2);
  EXPECT_EQ(list.Name(2), L"bbs, 别名");
}

TEST(DrawGrid, AnAccessibleObjectKeptAfterItsGridIsGoneHasNoRows) {
  TRecordingForm form;
  auto grid = std::make_unique<TDrawGrid>(form, TControlArgs{.name = L"grid", .width = 100, .height = 60},
                                          TGridOptions{.colCount = 1, .rowCount = 3});
  grid->OnGetCellText = [](const TDrawGrid&, int, int row) { return std::to_wstring(row); };
  const vt::test::TAccessibleObject list(grid->Handle());
  ASSERT_EQ(list.ChildCount(), 2);
  grid.reset();
  EXPECT_EQ(list.ChildCount(), 0);
  EXPECT_EQ(list.NameResult(1), E_INVALIDARG);
}
