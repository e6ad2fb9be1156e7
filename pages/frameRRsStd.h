// TPageRRsStd, the standard resource records page: at most one host record and one alias, edited inline. The page's controls and their loading belong to its own
// unit's work; here it has its place among the pages: class, size and factory.
#pragma once
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

class TPageRRsStd : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageRRsStd";
  static constexpr int kWidth = 430;

  explicit TPageRRsStd(TControl& owner);
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageRRsStd(TControl& owner);
