// TPageMX, the mail-exchanger editor: a new mail exchanger of the held profile, or the
// properties of an existing one (its name fixed), with its mail server, its priority
// and its cache time. Opened from the professional records page, it returns there.
//
// The priority is a whole number of up to five digits: the field takes digits only (a
// full stop is refused like any other character, so what it shows is what is
// stored); left empty it is stored as 10, the default a new record shows. A stored
// priority the keyboard could not give (a negative one, set elsewhere) is shown as it
// is and stays stored until the user changes the field.
#pragma once
#include <string>

#include "pages/RecordEditor.h"

class TPageMX : public TRecordEditor {
 public:
  static constexpr wchar_t kClassName[] = L"TPageMX";
  static constexpr int kDefaultPreference = 10;
  static constexpr int kPreferenceDigits = 5;

  explicit TPageMX(TControl& owner);

  TBGGroupBox& GroupCname;  // the form names its group box as the alias editor's
  TBGEdit edtHost;
  TBGLabel BGLabel4;
  TBGEdit edtPreference;

  // Lets digits and backspace through; drops anything else with the default beep.
  void edtPreferenceKeyPress(TControl& sender, wchar_t& key);

 protected:
  void ClearFields() override;
  void PrepareNewRecord() override;
  int LoadRecord(int index) override;
  void StoreRecord(int index, int ttlSeconds) override;
  TControl& FirstFieldAfterName() override { return edtHost; }

 private:
  // A text that did not come through the key filter (a paste) and is no number is
  // taken back, with the default beep.
  void edtPreferenceChange(TControl& sender);

  std::wstring acceptedPreference_;
  std::wstring loadedPreference_;  // the shown record's priority as loaded; empty for a new one
};

// Creates the editor on first use with `owner` (the main window) as owner and parent,
// or shows it, for record `index` of the mail exchangers (-1: a new one); refreshes it.
TComPtr<IPageWrapper> ShowPageMX(TControl& owner, int index);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageMX(TControl& owner);
