// TPageDnsPro, the professional DNS settings page: the account's whole domain name as
// free text (stored exactly as typed), its cache time, and the online and offline
// settings below them. It opens from its section's navigation button, or from the
// standard page as a snapshot for viewing only, whose Back button returns to the
// standard page. The page's own enabled flag greys the name's group, the settings page
// on show and the tab set, never Back.
#pragma once
#include "skin/BGComboBox.h"
#include "skin/BGEdit.h"
#include "skin/BGGroupBox.h"
#include "skin/BGLabel.h"
#include "skin/BGTabSet.h"
#include "toolkit/Bevel.h"
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "pages/DnsSubPages.h"
#include "pages/ProPage.h"

class TPageDnsPro : public TProPage {
 public:
  static constexpr wchar_t kClassName[] = L"TPageDnsPro";
  static constexpr int kWidth = 431;
  static constexpr int kHeight = 312;

  explicit TPageDnsPro(TControl& owner);

  // Refills the cache times; with a profile, loads the name and selects the cache time,
  // handlers detached; then the current settings page, the name's focus and the base
  // rule (enabled exactly when not a snapshot and a profile is held). A disabled page
  // keeps its settings page greyed, whose own refresh enables it, and gives Back the
  // focus when it shows.
  void STDMETHODCALLTYPE Refresh() override;
  // Ctrl+Tab and Ctrl+Page Up or Down switch between the online and offline settings.
  bool DialogKey(WPARAM key) override;

  TBGGroupBox GroupDomain;
  TBGLabel BGLabel1;
  TBGEdit edtInterDomain;
  TBGLabel BGLabel4;
  TBGLabel BGLabel2;
  TBGComboBox cmbTTL;
  TBGLabel BGLabel3;
  TBevel beFrame;
  TBGTabSet tabDnsSettings;

  void InterNameChanged(TControl& sender);
  void comboxTtlChange(TControl& sender);
  void btnBackClick(TControl& sender) override;

  TDnsSubPages& SubPages() noexcept { return subPages_; }

 protected:
  // The name's group with its controls, the settings page on show and the tab set.
  void EnableContent(bool enabled) override;

 private:
  void AttachHandlers(bool attach);

  TDnsSubPages subPages_;
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; sets its snapshot flag, enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageDnsPro(TControl& owner, bool snapshot);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageDnsPro(TControl& owner);
