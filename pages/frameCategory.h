// TPageCategory, the second tab of the information page: the categories the site is
// listed under, chosen from the application file's two-level tree. The list shows
// every group followed by its sub-categories (indented by four blanks); a chosen
// sub-category takes its group with it, a dropped group drops its sub-categories,
// and every click writes the profile's codes anew in list order. Codes the
// application file does not know (a newer tree on the service's side) stay stored.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "pages/InfoSheet.h"
#include "skin/BGLabel.h"
#include "skin/BGListBox.h"
#include "toolkit/ComPtr.h"

class TPageCategory : public TInfoSheet {
 public:
  static constexpr wchar_t kClassName[] = L"TPageCategory";
  static constexpr int kWidth = 384;
  static constexpr int kHeight = 271;

  explicit TPageCategory(TControl& host);

  // Fills the list from the application file, selects the profile's categories,
  // gives the list the focus, then the base rule.
  void STDMETHODCALLTYPE Refresh() override;
  // Puts the application file's entries into the list unless it holds them already:
  // a fill empties the list and fills it again, and its scroll bar goes and comes back,
  // each a repaint of its frame. The information page fills it so when it makes this
  // page ahead, hidden, where that costs no repaint, and a showing then only chooses.
  void FillEntries();

  TBGLabel BGLabel1, BGLabel2;
  TBGListBox lstCategory;
  TBGLabel BGLabel8;
  // The list's name for screen readers: two sentences of instructions stand above it.
  TFieldName nameCategory;

  void lstCategoryClick(TControl& sender);

 private:
  struct TGroup {
    std::wstring name;
    std::vector<std::wstring> children;
  };

  // The list's entries from the application file (none without one): each group, then
  // its sub-categories indented. Records the groups for FollowTree.
  std::vector<std::wstring> ListEntries();
  // The first entry, from the top, whose text without its leading blanks is `name`;
  // -1 when there is none.
  int EntryOf(const std::wstring& name) const;
  // Sets the state of that entry; nothing when there is none.
  void SelectEntry(const std::wstring& name, bool selected);
  // The entries of the profile's categories the application file names (none without
  // both documents).
  std::vector<int> ProfileEntries() const;
  // Selects the entry of every profile category the application file names;
  // deselects nothing.
  void ShowProfileCategories();
  // A chosen sub-category chooses its group; a dropped group drops its sub-categories.
  void FollowTree(const std::wstring& name, bool selected);
  void WriteCategories();

  // The tree as the list shows it, read from the application file at each refresh.
  std::vector<TGroup> groups_;
};

// The secondary-page factory: creates the page in `slot` on first use with `host` as
// owner and parent, placed over `rect`, or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageCategory(TControl& host, std::unique_ptr<TPageCategory>& slot,
                                       const RECT& rect);
