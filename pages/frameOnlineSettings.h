// TPageOnlineSettings, the online settings inside a DNS settings page: where the
// account's name points while the agent is online (the current public address, a
// private LAN address for the intranet service, a fixed address, the account's
// information page, or a redirection URL), with the fixed address, the URL and four
// ready-made URLs. Choosing a ready-made URL fills in the URL and leaves the type
// code alone.
#pragma once
#include <memory>

#include "skin/BGComboBox.h"
#include "skin/BGEdit.h"
#include "skin/BGIPEdit.h"
#include "skin/BGLabel.h"
#include "skin/BGRadioButton.h"
#include "toolkit/ComPtr.h"
#include "pages/SettingsPage.h"

class TPageOnlineSettings : public TSettingsPage {
 public:
  static constexpr wchar_t kClassName[] = L"TPageOnlineSettings";
  // The service type for which the LAN choice is offered: the intranet service.
  static constexpr int kIntranetService = 5;

  TPageOnlineSettings(TControl& host, const RECT& rect);

  // The base rule first (enabled exactly when a profile is held) and the templates
  // refilled; with a profile, the type, fixed address and URL loaded with the handlers
  // detached, the handlers attached, and the LAN choice enabled by the agent's service
  // type. An agent that cannot tell the service type is reported in the popup, and the
  // LAN choice is not offered; the page is loaded and usable all the same.
  void STDMETHODCALLTYPE Refresh() override;

  TBGRadioButton rbCurrentIP;
  TBGRadioButton rbLAN;
  TBGRadioButton rbFixedIP;
  TBGIPEdit edtFixedIP;
  TBGRadioButton rbDetail;
  TBGRadioButton rbURL;
  TBGLabel BGLabel1;
  TBGComboBox cmbTemplates;
  TBGEdit edtURL;
  TBGButton btnWizard;
  // The URL edit's name for screen readers: the radio button beside it names it on
  // the screen.
  TFieldName nameURL;

  void OnlineTypeChanged(TControl& sender);
  void edtFixedIPChanged(TControl& sender);
  void edtURLChange(TControl& sender);
  void cmbTemplatesChange(TControl& sender);
  void btnWizardClick(TControl& sender);

 protected:
  bool MayEnable(const TControl& control) const override { return &control != &rbLAN || lanAllowed_; }

 private:
  void AttachHandlers(bool attach);
  void AskServiceType();

  bool lanAllowed_ = false;
};

// Creates the page in `slot` on first use inside `host` (a DNS settings page) over
// `rect`, or shows it; refreshes it.
TComPtr<IPageWrapper> ShowPageOnlineSettings(TControl& host, std::unique_ptr<TPageOnlineSettings>& slot,
                                             const RECT& rect);
