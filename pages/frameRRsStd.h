// TPageRRsStd, the standard resource records page: the account's first host record
// and first alias, edited inline in two groups whose check boxes say whether the
// record exists. Every change is written into the held profile at once. The page
// never touches the mail exchangers, and the records it does not show (a second host
// record, a third alias) stay as they are: an edit changes the shown record only, and
// unchecking a box removes the shown record only. Each field writes only itself, so a
// field whose stored value cannot be read (shown empty) keeps that value until the
// user changes it, and the rest of the record stays editable. Its snapshot button
// shows the professional page, which lists every record, for viewing.
#pragma once
#include <functional>
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

  // Empties both groups with their handlers detached, then loads both from the held
  // profile, gives the host box the focus, then the base rule (disabled without a
  // profile).
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
  // What the two groups share: the check box, the name edit, the cache time, the
  // record shown (while it is in the profile) with the document it belongs to, and the
  // group's own second field.
  template <class TItem>
  struct TGroup {
    TBGCheckBox& box;
    TBGEdit& name;
    TComboBox& ttlBox;
    TControl& field;
    std::function<TXMLRecordCollection<TItem>()> items;
    // Loads the second field from the record; empties it for none. May raise for a
    // stored value that cannot be read.
    std::function<void(const TItem*)> loadField;
    std::function<void(TItem&)> storeField;
    // Attaches (or with nullptr detaches) the handler of the group's four controls.
    std::function<void(const TNotifyEvent&)> attach;
    TCacheTimeChoice ttl{ttlBox};
    std::optional<TItem> shown;
    IXMLDOMElement* document = nullptr;  // the held profile's root when loaded
  };

  template <class TItem>
  void ResetGroup(TGroup<TItem>& group);
  template <class TItem>
  void LoadGroup(TGroup<TItem>& group);
  template <class TItem>
  void GroupChanged(TGroup<TItem>& group, TControl& sender);

  TGroup<TXMLAType> host_;
  TGroup<TXMLCNameType> cname_;
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageRRsStd(TControl& owner);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageRRsStd(TControl& owner);
