#include "pages/frameHierarchyPro.h"

#include <iterator>
#include <memory>

#include "agent/UnitDef.h"
#include "pages/GridKeys.h"
#include "pages/frameChild.h"
#include "pages/frameHierarchyStd.h"
#include "shell/Navigator.h"

namespace {

std::unique_ptr<TPageHierarchyPro> PageHierarchyPro;

constexpr int kIconsLeft = 420;
constexpr int kNodeHeader = 550, kExternalHeader = 551;
// The last column only fills the width.
constexpr int kChildWidths[] = {112, 128, 390};

int HeldChildren() { return UserProfile.Assigned() ? UserProfile.Children().Count() : 0; }

}  // namespace

TPageHierarchyPro::TPageHierarchyPro(TControl& owner)
    : THierarchyPage(owner, kIconsLeft, kClassName, L"PageHierarchyPro", kWidth, POINT{312, 272}, 2),
      GroupChildren(*this, {.name = L"GroupChildren", .left = 20, .top = 136, .width = 393, .height = 157,
                            .caption = L" 子域授权 ", .tabOrder = 1}),
      GridChildren(GroupChildren,
                   {.name = L"GridChildren", .left = 12, .top = 20, .width = 285, .height = 121, .tabOrder = 0},
                   LinkGridOptions(3)),
      btnChildAdd(GroupChildren, LinkButtonArgs(L"btnChildAdd", 20, L"增  加...")),
      btnChildProp(GroupChildren, LinkButtonArgs(L"btnChildProp", 48, L"属  性...")),
      btnChildDel(GroupChildren, LinkButtonArgs(L"btnChildDel", 76, L"删  除")) {
  GridChildren.SetColWidths({std::begin(kChildWidths), std::end(kChildWidths)});
  GridChildren.OnDrawCell = [this](TDrawGrid& g, HDC dc, int col, int row, const RECT& rect, unsigned state) {
    GridChildrenDrawCell(g, dc, col, row, rect, state);
  };
  GridChildren.SetAccessibleName(L"子域授权");
  GridChildren.OnGetCellText = [this](const TDrawGrid&, int col, int row) { return ChildCell(col, row).Spoken(); };
  btnChildAdd.OnClick = [this](TControl& s) { btnChildAddClick(s); };
  btnChildProp.OnClick = [this](TControl& s) { btnChildPropClick(s); };
  btnChildDel.OnClick = [this](TControl& s) { btnChildDelClick(s); };
  AttachGridCommands(GridChildren, {.add = [this] { btnChildAdd.Click(); },
                                    .remove = [this] { btnChildDel.Click(); },
                                    .open = [this] { btnChildProp.Click(); }});
  SetEnabled(false);  // the page's own flag starts false
}

void TPageHierarchyPro::Refresh() {
  ShowParentRows();
  ShowLinkRows(GridChildren, HeldChildren());
  TProPage::Refresh();
}

void TPageHierarchyPro::EnableContent(bool enabled) {
  // The children keep their own state under a disabled parent: grey them too.
  for (TControl* control : std::initializer_list<TControl*>{
           &GroupParents, &GridParents, &btnParentAdd, &btnParentDel, &GroupChildren, &GridChildren, &btnChildAdd,
           &btnChildProp, &btnChildDel})
    control->SetEnabled(enabled);
}

TLinkCell TPageHierarchyPro::ChildCell(int col, int row) const {
  if (row == 0) {
    if (col == 0) return {nullptr, GetResString(kNodeHeader)};
    if (col == 1) return {nullptr, GetResString(kExternalHeader)};
    return {};
  }
  if (col > 1 || row < 1 || row > HeldChildren()) return {};
  const TXMLChildType child = UserProfile.Children().Item(row - 1);
  if (col == 0) return StatusCell(child, &TXMLChildType::Name);
  return {nullptr, child.Domain()};
}

void TPageHierarchyPro::GridChildrenDrawCell(TDrawGrid& grid, HDC dc, int col, int row, const RECT& rect,
                                             unsigned state) {
  DrawLinkCell(grid, dc, rect, state, ChildCell(col, row));
}

void TPageHierarchyPro::btnChildAddClick(TControl&) {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageChild(main, -1); });
}

void TPageHierarchyPro::btnChildPropClick(TControl&) {
  if (!UserProfile.Assigned()) return;
  const int index = SelectedLink(GridChildren, HeldChildren());
  if (index >= 0) ReplacePageFrom(*this, [index](TControl& main) { return ShowPageChild(main, index); });
}

void TPageHierarchyPro::btnChildDelClick(TControl&) {
  DeleteSelected(GridChildren, [] { return UserProfile.Children(); });
}

void TPageHierarchyPro::btnBackClick(TControl&) {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageHierarchyStd(main); });
}

TComPtr<IPageWrapper> ShowPageHierarchyPro(TControl& owner, bool snapshot) {
  TPageHierarchyPro& page = CreateOrShowPage(PageHierarchyPro, owner);
  return OpenMainPage(page, {.enable = true, .setSnapshot = true, .snapshot = snapshot});
}

void PreparePageHierarchyPro(TControl& owner) {
  CreatePage(PageHierarchyPro, owner);
}
