// TPageRRsStd, the standard resource records page: the account's first host record
// and first alias, edited inline in two groups whose check boxes say whether the
// record exists. Every change is written into the held profile at once. The page
// never touches the mail exchangers, and the records it does not show (a second host
// record, a third alias) stay as they are: an edit changes the shown record only, and
// unchecking a box removes the shown record only. Its snapshot button shows the
// professional page, which lists every record, for viewing.
#pragma once
#include <optional>

#include "skin/BGCheckBox.h"
#include "skin/BGComboBox.h"
#include "skin/BGEdit.h"
#include "skin/BGIPEdit.h"
#include "skin/BGLabel.h"
#include "skin/BGPanel.h"
#include "skin/PicBtn.h"
#include "toolkit/ComPtr.h"
#include "toolkit/Label.h"
#include "pages/CacheTime.h"
#include "profile/UserProfile.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

class TPageRRsStd : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageRRsStd";
  static constexpr int kWidth = 430;

  explicit TPageRRsStd(TControl& owner);

  // Loads both groups from the held profile with their handlers detached, gives the
  // host box the focus, then the base rule (disabled without a profile).
  void STDMETHODCALLTYPE Refresh() override;

  // The host record.
  TBGCheckBox ChkBoxHost;
  TBGPanel BGPanel1;
  TBGLabel BGLabel1, BGLabel2, BGLabel3;
  TLabel Label1;
  TBGEdit edtA_Name;
  TBGIPEdit edtA_IP;
  TBGComboBox cmbA_TTL;

  // The alias.
  TBGCheckBox ChkBoxCName;
  TBGPanel BGPanel2;
  TBGLabel BGLabel4, BGLabel5, BGLabel7;
  TLabel Label2;
  TBGEdit edtCName_Name, edtCName_Host;
  TBGComboBox cmbCName_TTL;

  TPicBtn btnSnapShot;

  void HostChanged(TControl& sender);
  void CNameChanged(TControl& sender);
  void btnSnapShotClick(TControl& sender);

 protected:
  // btnSnapShot shows the hand cursor.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void LoadHost();
  void LoadCName();
  void AttachHost();
  void AttachCName();
  void DetachHost();
  void DetachCName();
  // The 561 notice when the cache time was chosen for a record the group holds.
  void NoticeCacheTime(TControl& sender, TControl& box, bool checked);

  TCacheTimeChoice hostTtl_;
  TCacheTimeChoice cnameTtl_;
  // The records the groups show, while they are in the profile.
  std::optional<TXMLAType> host_;
  std::optional<TXMLCNameType> cname_;
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageRRsStd(TControl& owner);
