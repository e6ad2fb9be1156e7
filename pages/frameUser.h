// TPageUser, the user page: who the agent's current account is and in what state,
// signing the agent in and out, the change of account by its key, the re-sent key,
// and the way to the page that modifies the account. It reads the held user profile
// and asks the agent for what the profile does not hold (sign-in and online state,
// expiry, service type); it never writes into the profile.
#pragma once
#include <windows.h>

#include <string>

#include "skin/BGEdit.h"
#include "skin/BGGroupBox.h"
#include "skin/BGLabel.h"
#include "toolkit/Button.h"
#include "toolkit/ComPtr.h"
#include "skin/BGImage.h"
#include "pages/LinkLabel.h"
#include "shell/PageWrapper.h"
#include "toolkit/Timer.h"
#include "shell/frameBase.h"

class TPageUser : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageUser";
  static constexpr int kWidth = 425;
  static constexpr UINT kBlinkInterval = 600;

  explicit TPageUser(TControl& owner);

  // Enables or disables the current-user group alone: the account group (key, re-sent
  // key) stays usable while no profile is held.
  void STDMETHODCALLTYPE SetEnabled(bool value) override;
  // Fills every label from the held profile and the agent, then the base rule.
  void STDMETHODCALLTYPE Refresh() override;

  // The current-user group.
  TBGGroupBox GroupCurUser;
  TBGLabel BGLabel3, labDomain;
  TBGLabel BGLabel4, labNetwork;
  TBGLabel BGLabel1, labUserName;
  TButton btnSign;
  TBGLabel BGLabel2, labEmail;
  TBGLabel Label1, labAccountState;
  TLinkLabel labModifyUser;
  TBGLabel Label2, labExpiryDate;
  TBGLabel BGLabel5, labRegType;
  // The decorative icons beside the rows of the group.
  TBGImage Image1, Image2, Image3, Image4, Image5, Image6;

  // The account group.
  TBGGroupBox BGGroupBox1;
  TBGImage ImageKey;
  TBGLabel BGLabel8;
  TBGEdit edtRegKey;
  TButton btnChange;
  TBGImage ImageReg;
  TBGLabel BGLabel9;
  TBGEdit edtDomain;
  TLinkLabel labForgotKey;

  TTimer Timer1;

  void btnSignClick(TControl& sender);
  void btnChangeClick(TControl& sender);
  void labForgotKeyClick(TControl& sender);
  void labModifyUserClick(TControl& sender);
  void Timer1Timer(TTimer& sender);

  // Shows the agent's state: on line or not, and the sign button's caption for the
  // sign-in state, the button disabled unless signed in or out (never enabled here).
  // The page's refresh and the main window's poll both show it this way; only a change
  // reaches the window, so the poll's ten readings a second cost nothing.
  void ShowAgentState(bool online, int userState);

  // Enter in the key edit changes the account; in the domain edit it has the key
  // mailed to that domain, as the link beside it does.
  bool DialogKey(WPARAM key) override;

 private:
  void ShowProfile();
  void ShowAccountState();

  TFontRef boldFont_;
  bool curUserEnabled_ = true;
};

// The expiry time as the user reads it: the system's short date, then its long time,
// the time left out at midnight. Empty when `date` is no representable time.
std::wstring ExpiryDateText(DATE date);
// The text of a service type code.
std::wstring ServiceTypeText(int type);

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageUser(TControl& owner);
// The agent's state shown on the user page, when that page exists (shown or not).
void ShowAgentStateOnUserPage(bool online, int userState);
