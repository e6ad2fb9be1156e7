// TPageHierarchyPro, the professional hierarchy page: the account's parent domains and delegated child domains. It opens from its section's navigation button, or from
// the standard page as a snapshot for viewing only, whose Back button returns to the
// standard page. The page's controls and their loading belong to its own unit's work;
// here it has its place among the pages: class, size, factory and snapshot view.
#pragma once
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "pages/ProPage.h"

class TPageHierarchyPro : public TProPage {
 public:
  static constexpr wchar_t kClassName[] = L"TPageHierarchyPro";
  static constexpr int kWidth = 439;

  explicit TPageHierarchyPro(TControl& owner);

  void btnBackClick(TControl& sender) override;
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; sets its snapshot flag, enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageHierarchyPro(TControl& owner, bool snapshot);
