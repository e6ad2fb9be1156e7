// TPageDnsStd, the standard DNS settings page: the account's name made of a host label
// the user types and one of the service's domain suffixes, its cache time, and the
// online and offline settings below them. Its snapshot button shows the professional
// page, which takes the name as free text, for viewing.
//
// The page never stores a name without its suffix: while no suffix is chosen (the
// stored name has none of the listed suffixes, or there is no list) typing a label
// changes nothing, and the name is written once a suffix is chosen. An empty or
// missing suffix list is fetched again from the agent before the page shows none.
#pragma once
#include <string>
#include <vector>

#include "skin/BGComboBox.h"
#include "skin/BGEdit.h"
#include "skin/BGGroupBox.h"
#include "skin/BGLabel.h"
#include "skin/BGTabSet.h"
#include "skin/PicBtn.h"
#include "toolkit/Bevel.h"
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"
#include "pages/DnsSubPages.h"

class TPageDnsStd : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageDnsStd";
  static constexpr int kWidth = 430;

  explicit TPageDnsStd(TControl& owner);

  // Refills the cache times and the suffixes; with a profile, splits the stored name
  // into label and suffix and selects the cache time, handlers detached; then the
  // current settings page, the label's focus and the base rule (disabled without a
  // profile).
  void STDMETHODCALLTYPE Refresh() override;
  // The page window and, greyed with it, the name's group, the settings page on show
  // and the tab set.
  void STDMETHODCALLTYPE SetEnabled(bool value) override;
  // Ctrl+Tab and Ctrl+Page Up or Down switch between the online and offline settings.
  bool DialogKey(WPARAM key) override;

  TBGGroupBox GroupDomain;
  TBGLabel BGLabel4;
  TBGEdit edtYourName;
  TBGLabel BGLabel1;
  TBGComboBox comboxDomain;
  TBGLabel BGLabel2;
  TBGComboBox cmbTTL;
  TBGLabel BGLabel3;
  // In the group box, after the cache time in the keyboard's order: it lies inside the
  // group box's rectangle, where a sibling of the group box would be covered by it.
  TPicBtn btnSnapShot;
  TBevel beFrame;
  TBGTabSet tabDnsSettings;
  // The suffix list's name for screen readers: on screen only a full stop stands
  // before it.
  TFieldName nameDomainSuffix;

  void FreeNameChanged(TControl& sender);
  void cmbTTLChange(TControl& sender);
  void btnSnapShotClick(TControl& sender);

  TDnsSubPages& SubPages() noexcept { return subPages_; }

 protected:
  // btnSnapShot shows the hand cursor.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void LoadName(const std::vector<std::wstring>& suffixes);
  void AttachHandlers(bool attach);

  TDnsSubPages subPages_;
};

// The domain list's suffixes; when the file gives none while a profile is held, the
// list is fetched from the agent again first.
std::vector<std::wstring> DomainSuffixes();

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageDnsStd(TControl& owner);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageDnsStd(TControl& owner);
