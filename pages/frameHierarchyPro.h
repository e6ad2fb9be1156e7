// TPageHierarchyPro, the professional hierarchy page: the parent domains, as on the
// standard page, and the child nodes the account delegates under its own name to
// external domains ("子域授权"), each with its state; the child dialog adds one or
// changes the selected one's external domain, and the delete buttons remove the
// selected item at once. It opens from its section's navigation button and from the
// dialogs, or from the standard page as a snapshot for viewing only (both groups
// disabled), whose Back button returns to the standard page.
#pragma once
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "pages/HierarchyPage.h"
#include "pages/ProPage.h"

class TPageHierarchyPro : public THierarchyPage<TProPage> {
 public:
  static constexpr wchar_t kClassName[] = L"TPageHierarchyPro";
  static constexpr int kWidth = 439;

  explicit TPageHierarchyPro(TControl& owner);

  // Sets both grids' rows from the held profile and repaints them, then the base
  // rule, which disables both groups in snapshot mode or without a profile.
  void STDMETHODCALLTYPE Refresh() override;

  TBGGroupBox GroupChildren;
  TBGDrawGrid GridChildren;
  TButton btnChildAdd;
  TButton btnChildProp;
  TButton btnChildDel;

  // What a cell of the children grid shows: the header texts in row 0; for the row of
  // a held Child its status picture and Name in column 0 (nothing without a
  // picture) and its Domain in column 1.
  TLinkCell ChildCell(int col, int row) const;

  void GridChildrenDrawCell(TDrawGrid& sender, HDC dc, int col, int row, const RECT& rect, unsigned state);
  void btnChildAddClick(TControl& sender);
  // Opens the child dialog for the selected row's Child; nothing on the header or an
  // empty row.
  void btnChildPropClick(TControl& sender);
  // Deletes the selected row's Child at once, without a question.
  void btnChildDelClick(TControl& sender);
  void btnBackClick(TControl& sender) override;

 protected:
  // Both groups, and every control in them, follow the page's enabled flag.
  void EnableContent(bool enabled) override;
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; sets its snapshot flag, enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageHierarchyPro(TControl& owner, bool snapshot);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageHierarchyPro(TControl& owner);
