// TPageUser, the user page: the account overview, signing in and out, the change of account by key and the re-sent key. The page's controls and their loading belong to its own
// unit's work; here it has its place among the pages: class, size and factory.
#pragma once
#include "ComPtr.h"
#include "PageWrapper.h"
#include "frameBase.h"

class TPageUser : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageUser";
  static constexpr int kWidth = 425;

  explicit TPageUser(TControl& owner);
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageUser(TControl& owner);
