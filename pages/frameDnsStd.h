// TPageDnsStd, the standard DNS settings page: the host label and domain suffix of the account's name, the cache time, and the online and offline settings. The page's controls and their loading belong to its own
// unit's work; here it has its place among the pages: class, size and factory.
#pragma once
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

class TPageDnsStd : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageDnsStd";
  static constexpr int kWidth = 430;

  explicit TPageDnsStd(TControl& owner);
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageDnsStd(TControl& owner);
