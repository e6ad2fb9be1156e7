// TPageInfo, the information page: the description of the user's site on its tabbed secondary pages. The page's controls and their loading belong to its own
// unit's work; here it has its place among the pages: class, size and factory.
#pragma once
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

class TPageInfo : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageInfo";
  static constexpr int kWidth = 430;

  explicit TPageInfo(TControl& owner);
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageInfo(TControl& owner);
