#include "pages/HierarchyPage.h"

#include <algorithm>

#include "agent/UnitDef.h"
#include "pages/GridCell.h"
#include "pages/GridKeys.h"
#include "pages/PageIcons.h"
#include "pages/ProPage.h"
#include "pages/frameParent.h"
#include "shell/frameBase.h"
#include "shell/Navigator.h"

namespace {

constexpr int kDomainHeader = 549;
constexpr int kIconGap = 2;
// The last column of each grid only fills the width.
constexpr int kParentWidths[] = {213, 500};

}  // namespace

TGridOptions LinkGridOptions(int columns) {
  return {.colCount = columns, .rowCount = 2, .fixedRows = 1, .defaultRowHeight = kLinkRowHeight,
          .gridLineWidth = 0, .rowSelect = true, .colSizing = true};
}

void ShowLinkRows(TDrawGrid& grid, int count) {
  const int rows = std::max(count + 1, 2);
  if (rows != grid.RowCount()) grid.SetRowCount(rows);
  grid.Invalidate();
}

int SelectedLink(const TDrawGrid& grid, int count) {
  const int row = grid.Row();
  return row > 0 && row - 1 < count ? row - 1 : -1;
}

TControlArgs LinkButtonArgs(const wchar_t* name, int top, const wchar_t* caption) {
  return {.name = name, .left = 308, .top = top, .width = 75, .height = 21, .caption = caption};
}

template <class TBase>
void THierarchyPage<TBase>::AttachParents() {
  AssignIcon(ImageActive.Picture(), MakeActiveIcon());
  AssignIcon(ImagePending.Picture(), MakePendingIcon());
  AssignIcon(ImageExpired.Picture(), MakeExpiredIcon());
  GridParents.SetColWidths({std::begin(kParentWidths), std::end(kParentWidths)});
  GridParents.OnDrawCell = [this](TDrawGrid& g, HDC dc, int col, int row, const RECT& rect, unsigned state) {
    GridParentsDrawCell(g, dc, col, row, rect, state);
  };
  GridParents.SetAccessibleName(L"父域");
  GridParents.OnGetCellText = [this](const TDrawGrid&, int col, int row) { return ParentCell(col, row).Spoken(); };
  btnParentAdd.OnClick = [this](TControl& s) { btnParentAddClick(s); };
  btnParentDel.OnClick = [this](TControl& s) { btnParentDelClick(s); };
  AttachGridCommands(GridParents,
                     {.add = [this] { btnParentAdd.Click(); }, .remove = [this] { btnParentDel.Click(); }});
}

std::wstring TLinkCell::Spoken() const {
  if (state.empty() || text.empty()) return state + text;
  return state + L" " + text;
}

template <class TBase>
const TBGImage* THierarchyPage<TBase>::StatusImage(int token) const {
  switch (token) {
    case 0: return &ImageActive;
    case 1: return &ImagePending;
    case 2:
    case 3: return &ImageExpired;
    default: return nullptr;
  }
}

template <class TBase>
TLinkCell THierarchyPage<TBase>::ParentCell(int col, int row) const {
  if (row == 0) return {nullptr, col == 0 ? GetResString(kDomainHeader) : L""};
  if (col != 0 || !UserProfile.Assigned()) return {};
  const TXMLParentsType parents = UserProfile.Parents();
  if (row < 1 || row > parents.Count()) return {};
  return StatusCell(parents.Item(row - 1), &TXMLParentType::Domain);
}

template <class TBase>
void THierarchyPage<TBase>::DrawLinkCell(TDrawGrid& grid, HDC dc, const RECT& rect, unsigned state,
                                         const TLinkCell& cell) {
  if (!cell.icon && cell.text.empty()) return;
  DrawGridCell(grid, dc, rect, state, cell.icon, kIconGap, cell.text);
}

template <class TBase>
void THierarchyPage<TBase>::ShowParentRows() {
  ShowLinkRows(GridParents, UserProfile.Assigned() ? UserProfile.Parents().Count() : 0);
}

template <class TBase>
void THierarchyPage<TBase>::GridParentsDrawCell(TDrawGrid& grid, HDC dc, int col, int row, const RECT& rect,
                                                unsigned state) {
  DrawLinkCell(grid, dc, rect, state, ParentCell(col, row));
}

template <class TBase>
void THierarchyPage<TBase>::btnParentAddClick(TControl&) {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageParent(main); });
}

template <class TBase>
void THierarchyPage<TBase>::btnParentDelClick(TControl&) {
  DeleteSelected(GridParents, [] { return UserProfile.Parents(); });
}

template <class TBase>
void THierarchyPage<TBase>::DeleteSelected(const TDrawGrid& grid,
                                           const std::function<TXMLNodeCollection()>& items) {
  if (!UserProfile.Assigned()) return;
  TXMLNodeCollection collection = items();
  const int index = SelectedLink(grid, collection.Count());
  if (index < 0) return;
  collection.Delete(index);
  MarkUserProfileModified(true);
  this->Refresh();
}

template class THierarchyPage<TBaseFrame>;
template class THierarchyPage<TProPage>;
