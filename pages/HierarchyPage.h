// THierarchyPage: what the standard and the professional hierarchy pages share. Both
// list the account's parent domains in the same group, with its add and delete
// buttons, and both show the state of a link to another domain (an item's Token) by
// one of three status pictures, which lie at the page's right edge: 0 active, 1
// waiting for the other side's confirmation, 2 or 3 expired; any other Token has no
// picture, and the item's name is not shown either. Insert and Delete in a grid press
// its group's add and delete buttons (Enter and a double click its properties button,
// where the group has one).
//
// The template sits over the page's base (TBaseFrame for the standard page, TProPage
// for the professional one with its snapshot view); its members are instantiated for
// those two in HierarchyPage.cpp.
#pragma once
#include <functional>
#include <string>
#include <utility>

#include "skin/BGDrawGrid.h"
#include "skin/BGGroupBox.h"
#include "skin/BGImage.h"
#include "toolkit/Button.h"
#include "toolkit/ComPtr.h"
#include "toolkit/Exception.h"
#include "toolkit/Picture.h"
#include "shell/Common.h"
#include "shell/PageWrapper.h"
#include "profile/XMLNodeCollection.h"

// What a grid cell shows: an optional icon, then a text; `state` is what the icon
// says, a link's state (empty without an icon).
struct TLinkCell {
  const TPicture* icon = nullptr;
  std::wstring text;
  std::wstring state;

  // As a screen reader reads it: the state, then the text.
  std::wstring Spoken() const;
};

inline constexpr int kLinkRowHeight = 16;

// The names of the states, as the standard page's legend gives them; the status
// pictures carry them as their window texts.
inline constexpr wchar_t kActiveState[] = L"活动";
inline constexpr wchar_t kPendingState[] = L"等待";
inline constexpr wchar_t kExpiredState[] = L"过期";

// The grids' common settings: rows of kLinkRowHeight below one header row, no fixed
// column, lines of width 0, whole-row selection, columns the user can resize.
TGridOptions LinkGridOptions(int columns);

// Sets a grid's rows for a list of `count` items below the header: count + 1, at
// least 2, so that an empty list shows one empty row; then repaints it.
void ShowLinkRows(TDrawGrid& grid, int count);

// The grid's selected item: row r is item r - 1; -1 for the header or a row below the
// last of `count` items.
int SelectedLink(const TDrawGrid& grid, int count);

// A standard button in a hierarchy group, at the right of its grid.
TControlArgs LinkButtonArgs(const wchar_t* name, int top, const wchar_t* caption);

template <class TBase>
class THierarchyPage : public TBase {
 public:
  TBGImage ImageActive;
  TBGImage ImagePending;
  TBGImage ImageExpired;
  TBGGroupBox GroupParents;
  TBGDrawGrid GridParents;
  TButton btnParentAdd;
  TButton btnParentDel;

  // The picture of a Token's state, named by the state; null for a Token without one.
  const TBGImage* StatusImage(int token) const;
  // What a cell of the parents grid shows: the header text in row 0; for the row of a
  // held Parent its status picture and Domain in column 0; nothing elsewhere.
  TLinkCell ParentCell(int col, int row) const;

  void GridParentsDrawCell(TDrawGrid& sender, HDC dc, int col, int row, const RECT& rect, unsigned state);
  void btnParentAddClick(TControl& sender);
  // Deletes the selected row's Parent at once, without a question; nothing on the
  // header or an empty row.
  void btnParentDelClick(TControl& sender);

 protected:
  // The page's base is built from `baseArgs` (after the owner); the status pictures
  // stand at `iconsLeft`.
  template <class... TBaseArgs>
  THierarchyPage(TControl& owner, int iconsLeft, TBaseArgs&&... baseArgs)
      : TBase(owner, std::forward<TBaseArgs>(baseArgs)...),
        ImageActive(*this, StatusArgs(L"ImageActive", iconsLeft, 16, kActiveState)),
        ImagePending(*this, StatusArgs(L"ImagePending", iconsLeft, 36, kPendingState)),
        ImageExpired(*this, StatusArgs(L"ImageExpired", iconsLeft, 56, kExpiredState)),
        GroupParents(*this, {.name = L"GroupParents", .left = 20, .top = 12, .width = 393, .height = 113,
                             .caption = L" 父  域 ", .tabOrder = 0}),
        GridParents(GroupParents,
                    {.name = L"GridParents", .left = 12, .top = 20, .width = 285, .height = 81, .tabOrder = 0},
                    LinkGridOptions(2)),
        btnParentAdd(GroupParents, LinkButtonArgs(L"btnParentAdd", 20, L"增  加...")),
        btnParentDel(GroupParents, LinkButtonArgs(L"btnParentDel", 48, L"删  除")) {
    AttachParents();
  }

  // Column 0 of a held item's row: its status picture and `name`, or nothing when
  // its Token has none. A Token that cannot be read shows "未知" without a picture
  // (raised while painting, its error box would uncover the grid, whose repaint would
  // raise again).
  template <class TItem>
  TLinkCell StatusCell(const TItem& item, std::wstring (TItem::*name)() const) const;
  // Draws a cell's content as the grids draw it: the icon followed by 2 pixels.
  void DrawLinkCell(TDrawGrid& grid, HDC dc, const RECT& rect, unsigned state, const TLinkCell& cell);
  // Gives the parents grid a row for each held Parent (see ShowLinkRows).
  void ShowParentRows();
  // Deletes the item of the grid's selected row from the collection `items` returns,
  // at once, marks the profile and refreshes the page; nothing without a profile, on
  // the header or on an empty row.
  void DeleteSelected(const TDrawGrid& grid, const std::function<TXMLNodeCollection()>& items);

 private:
  static TControlArgs StatusArgs(const wchar_t* name, int left, int top, const wchar_t* state) {
    return {.name = name, .left = left, .top = top, .width = 16, .height = 16, .caption = state};
  }
  void AttachParents();
};

template <class TBase>
template <class TItem>
TLinkCell THierarchyPage<TBase>::StatusCell(const TItem& item, std::wstring (TItem::*name)() const) const {
  constexpr int kUnknownText = 513;
  try {
    const TBGImage* image = StatusImage(item.Token());
    if (!image) return {};
    return {&image->Picture(), (item.*name)(), image->Caption()};
  } catch (const EError&) {
    return {nullptr, GetResString(kUnknownText)};
  }
}
