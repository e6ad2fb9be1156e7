// TPageHierarchyStd, the standard hierarchy page: the account's parent domains. The page's controls and their loading belong to its own
// unit's work; here it has its place among the pages: class, size and factory.
#pragma once
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

class TPageHierarchyStd : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageHierarchyStd";
  static constexpr int kWidth = 437;

  explicit TPageHierarchyStd(TControl& owner);
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageHierarchyStd(TControl& owner);
