// TPageParent, the parent dialog: adds a parent domain to the held profile. The
// domain is typed or chosen from the agent's matches; OK needs some text and a domain
// the agent knows, and appends a Parent with the agent's sequence number, active
// (Token 0). Opened from either hierarchy page, it returns to the one the service type
// calls for.
#pragma once
#include "pages/DomainDialog.h"

class TPageParent : public TDomainDialog {
 public:
  static constexpr wchar_t kClassName[] = L"TPageParent";

  explicit TPageParent(TControl& owner);

  // The base rule first (disabled without a profile), then an empty domain with its
  // change handler attached, an empty list, OK disabled and the focus in the edit.
  void STDMETHODCALLTYPE Refresh() override;

  TBGGroupBox& GroupParent;
  TBGLabel BGLabel1;

 protected:
  // OK is enabled exactly while the domain is not empty.
  void DomainChanged() override;
  void StoreItem(int sequence) override;
};

// Creates the dialog on first use with `owner` (the main window) as owner and parent,
// or shows it; refreshes it (its enabled state comes from the refresh alone).
TComPtr<IPageWrapper> ShowPageParent(TControl& owner);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageParent(TControl& owner);
