// TPageChild, the child dialog: delegates a node under the account's own name to an
// external domain of the service, as a new Child of the held profile (record index
// -1) or by changing the external domain of an existing one, whose node name cannot
// be changed. The external domain is typed or chosen from the agent's matches; OK
// needs a domain the agent knows and writes the node name, the agent's sequence
// number, the domain and Token 1 (waiting for the other side's confirmation). It
// returns to the hierarchy page the service type calls for.
#pragma once
#include "pages/DomainDialog.h"

class TPageChild : public TDomainDialog {
 public:
  static constexpr wchar_t kClassName[] = L"TPageChild";

  explicit TPageChild(TControl& owner);

  int RecordIndex() const noexcept { return recordIndex_; }
  // Set by the factory before its refresh.
  void SetRecordIndex(int index) noexcept { recordIndex_ = index; }

  // Reloads the fields for the record index with the domain's change handler
  // detached, then attaches it, disables OK and runs the base rule.
  void STDMETHODCALLTYPE Refresh() override;

  TBGGroupBox& GroupChild;
  TBGLabel BGLabel2;
  TBGEdit edtNode;
  TBGLabel BGLabel1;

  void edtNodeChange(TControl& sender);

 protected:
  // Any change enables OK.
  void DomainChanged() override;
  void StoreItem(int sequence) override;

 private:
  int recordIndex_ = -1;
};

// Creates the dialog on first use with `owner` (the main window) as owner and parent,
// or shows it, for Child `index` of the held profile (-1: a new one); refreshes it.
TComPtr<IPageWrapper> ShowPageChild(TControl& owner, int index);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageChild(TControl& owner);
