// TPageCname, the alias editor: a new alias of the held profile, or the properties of
// an existing one (its name fixed), with the host it stands for and its cache time.
// Opened from the professional records page, it returns there.
#pragma once
#include "pages/RecordEditor.h"

class TPageCname : public TRecordEditor {
 public:
  static constexpr wchar_t kClassName[] = L"TPageCname";

  explicit TPageCname(TControl& owner);

  TBGGroupBox& GroupCname;
  TBGEdit edtHost;

 protected:
  void ClearFields() override { edtHost.Clear(); }
  int LoadRecord(int index) override;
  void StoreRecord(int index, int ttlSeconds) override;
  TControl& FirstFieldAfterName() override { return edtHost; }
};

// Creates the editor on first use with `owner` (the main window) as owner and parent,
// or shows it, for record `index` of the aliases (-1: a new one); refreshes it.
TComPtr<IPageWrapper> ShowPageCname(TControl& owner, int index);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageCname(TControl& owner);
