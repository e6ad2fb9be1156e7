// TPageInfo, the information page: what the service publishes about the user's site,
// on three secondary pages chosen by the tab bar at the page's foot: the basic
// information, the site's categories and its news and keywords. Each secondary page
// is made on first use over the frame bevel and kept; the one shown is refreshed
// with the page. Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up switch
// the tabs from the keyboard.
#pragma once
#include <memory>

#include "pages/frameCategory.h"
#include "pages/frameGenericInfo.h"
#include "pages/frameNewsKeys.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"
#include "skin/BGTabSet.h"
#include "toolkit/Bevel.h"
#include "toolkit/ComPtr.h"

class TPageInfo : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageInfo";
  static constexpr int kWidth = 430;
  static constexpr int kTabCount = 3;

  explicit TPageInfo(TControl& owner);

  // Refreshes the secondary page on show, then the base rule.
  void STDMETHODCALLTYPE Refresh() override;
  bool DialogKey(WPARAM key) override;

  TBevel beFrame;
  TBGTabSet tabInfo;

  // The secondary pages, made on first use.
  std::unique_ptr<TPageGenericInfo> PageGenericInfo;
  std::unique_ptr<TPageCategory> PageCategory;
  std::unique_ptr<TPageNewsKeys> PageNewsKeys;

  void tabInfoChange(TTabSet& sender, int newTab, bool& allowChange);
  // Closes the secondary page on show and shows the one of `tab`, with the tab bar
  // kept in front of it (the page reaches two pixels into the bar).
  void ShowSheet(int tab);
  // The first opening's sheet, the basic information, shown but not yet loaded: the
  // page's own refresh, which follows, loads it (once, not twice).
  void ChooseFirstSheet();
  // Makes the three sheets ahead of their first showing, hidden.
  void PrepareSheets();
  // The secondary page on show; null before the first.
  IPageWrapper* CurrentSheet() const noexcept { return current_.Get(); }

 private:
  // The tab bar in front of the sheet on show, the bevel behind it.
  void OrderAroundSheet();

  TComPtr<IPageWrapper> current_;
};

// Creates the page on first use with `owner` (the main window) as owner and parent
// and shows the first tab's page, or shows the page; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageInfo(TControl& owner);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageInfo(TControl& owner);
