// TPageOptions, the options page: the agent's name server, automatic sign-in, update speed and start-up. The page's controls and their loading belong to its own
// unit's work; here it has its place among the pages: class, size and factory.
#pragma once
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

class TPageOptions : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageOptions";
  static constexpr int kWidth = 430;

  explicit TPageOptions(TControl& owner);
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageOptions(TControl& owner);
