// TPageNewsKeys, the third tab of the information page: the site's search keywords,
// typed as one line with commas between them and stored as trimmed, non-empty items
// on every keystroke; the site's news items, listed newest first (the document keeps
// them oldest first), added, changed, deleted and reordered; and the "updated
// recently" box, which stamps the profile's HostUpdate with the present time in UTC.
#pragma once
#include <memory>
#include <string>

#include "pages/InfoSheet.h"
#include "skin/BGCheckBox.h"
#include "skin/BGEdit.h"
#include "skin/BGLabel.h"
#include "skin/BGListBox.h"
#include "skin/BGMemo.h"
#include "skin/BGUpDown.h"
#include "toolkit/Button.h"
#include "toolkit/ComPtr.h"

class TPageNewsKeys : public TInfoSheet {
 public:
  static constexpr wchar_t kClassName[] = L"TPageNewsKeys";
  static constexpr int kWidth = 384;
  static constexpr int kHeight = 271;

  explicit TPageNewsKeys(TControl& host);

  // Loads the keywords and the news list from the held profile, unchecks the box,
  // gives the keywords the focus, then the base rule.
  void STDMETHODCALLTYPE Refresh() override;
  // Ctrl+Enter in the news text adds it as a news item (Enter alone starts a line).
  bool DialogKey(WPARAM key) override;

  TBGLabel BGLabel3;
  TBGEdit edtKeys;
  TBGLabel BGLabel2;
  TBGListBox lstNews;
  TBGUpDown udOrder;
  TBGMemo memoNews;
  TButton btnReplace, btnAdd, btnDelete;
  TBGCheckBox chkUpdated;
  // Names for screen readers of the arrows and the news text, which no label precedes.
  TFieldName nameOrder, nameNews;

  void edtKeysChange(TControl& sender);
  void lstNewsClick(TControl& sender);
  void udOrderClick(TUpDown& sender, TUDButton button);
  void btnAddClick(TControl& sender);
  void btnReplaceClick(TControl& sender);
  void btnDeleteClick(TControl& sender);
  void chkUpdatedClick(TControl& sender);

 private:
  // Writes the list back into the document, oldest (the last entry) first.
  void SaveNews();
  // The news text, or an empty text with a beep when it holds only blanks.
  std::wstring NewsText() const;
};

// Today's date in the user's short date format, followed by " - ": the start of a
// new news item.
std::wstring NewNewsText();

// The secondary-page factory: creates the page in `slot` on first use with `host` as
// owner and parent, placed over `rect`, or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageNewsKeys(TControl& host, std::unique_ptr<TPageNewsKeys>& slot,
                                       const RECT& rect);
