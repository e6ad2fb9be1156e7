// TPageRRA, the host editor: a new host record of the held profile, or the properties
// of an existing one (its name fixed), with its address typed octet by octet and its
// cache time. Opened from the professional records page, it returns there.
#pragma once
#include "skin/BGIPEdit.h"
#include "pages/RecordEditor.h"

class TPageRRA : public TRecordEditor {
 public:
  static constexpr wchar_t kClassName[] = L"TPageRRA";

  explicit TPageRRA(TControl& owner);

  TBGGroupBox& GroupHost;
  TBGIPEdit edtIP;

 protected:
  void ClearFields() override;
  int LoadRecord(int index) override;
  void StoreRecord(int index, int ttlSeconds) override;
  TControl& FirstFieldAfterName() override { return edtIP; }
};

// Creates the editor on first use with `owner` (the main window) as owner and parent,
// or shows it, for record `index` of the host records (-1: a new one); refreshes it.
TComPtr<IPageWrapper> ShowPageRRA(TControl& owner, int index);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageRRA(TControl& owner);
