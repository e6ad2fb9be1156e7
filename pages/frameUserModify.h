// TPageUserModify, the user modification page: the account's user name, e-mail
// address, security question and answer, edited in the held user profile and sent with
// the main window's OK or Apply. Changing the e-mail, the question or the answer needs
// the security answer first: what the user types as the answer goes to the agent on
// every change, and the agent alone decides whether the account may be modified. The
// page also has the agent reload the profile, generate a new account key, and mail the
// answer again. The three answer edits are masked: the stored answer must not show to
// whoever sits at the window before the question is answered.
#pragma once
#include <string>

#include "skin/BGEdit.h"
#include "skin/BGLabel.h"
#include "skin/BGPanel.h"
#include "skin/BGBitBtn.h"
#include "toolkit/Button.h"
#include "toolkit/ComPtr.h"
#include "skin/BGImage.h"
#include "pages/LinkLabel.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

class TPageUserModify : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageUserModify";
  static constexpr int kWidth = 425;

  explicit TPageUserModify(TControl& owner);

  // The base rule first (the whole page follows whether a profile is held), then the
  // fields; the two confirmations are emptied, the typed security answer stays.
  void STDMETHODCALLTYPE Refresh() override;

  TBGPanel BGPanel1;
  TBGImage Image1, Image2, Image3;
  TBGLabel Label1;
  TBGEdit edtUserName;
  TBGBitBtn btnReload;
  TLinkLabel labRebuildKey;
  TBGLabel BGLabel7;
  TBGLabel labQuestion;
  TBGEdit edtAnswer;
  TLinkLabel labResendAnswer;
  TBGLabel BGLabel4;
  TBGEdit edtEmail;
  TBGLabel BGLabel5;
  TBGEdit edtEmailConfirm;
  TBGLabel BGLabel1, BGLabel8;
  TBGLabel BGLabel2;
  TBGEdit edtQuestion;
  TBGLabel BGLabel3;
  TBGEdit edtAnswer2;
  TBGLabel BGLabel6;
  TBGEdit edtAnswerConfirm;
  TButton btnOK;
  TButton btnBack;

  void edtAnswerChange(TControl& sender);
  void btnOKClick(TControl& sender);
  void btnReloadClick(TControl& sender);
  void labRebuildKeyClick(TControl& sender);
  void labResendAnswerClick(TControl& sender);
  void btnBackClick(TControl& sender);

 private:
  // Writes the changed fields into the held profile in their order; false when a
  // check stopped it (its message shown, the focus on the field concerned).
  bool ApplyChanges();
  bool ApplyEmail();
  bool ApplyQuestion();
  bool ApplyAnswer();
  // Stops with `message` and the focus on `field`.
  bool Refuse(int message, TControl& field);
  // Closes the page on show and opens the user page in its place.
  void ReturnToUserPage();
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; refreshes it (its enabled state comes from the refresh alone).
TComPtr<IPageWrapper> ShowPageUserModify(TControl& owner);
