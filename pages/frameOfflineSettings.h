// TPageOfflineSettings, the offline settings inside a DNS settings page: where the
// account's name points while the agent is offline (a notice that the owner is not
// online, the same place as another of the owner's names, a fixed offline address, the
// account's information page, or a redirection URL), with the other name, the address
// and the URL.
#pragma once
#include <memory>

#include "skin/BGEdit.h"
#include "skin/BGIPEdit.h"
#include "skin/BGLabel.h"
#include "skin/BGRadioButton.h"
#include "toolkit/ComPtr.h"
#include "pages/SettingsPage.h"

class TPageOfflineSettings : public TSettingsPage {
 public:
  static constexpr wchar_t kClassName[] = L"TPageOfflineSettings";

  TPageOfflineSettings(TControl& host, const RECT& rect);

  // The base rule first (enabled exactly when a profile is held); with a profile, the
  // type, other name, address and URL loaded with the handlers detached, then the
  // handlers attached.
  void STDMETHODCALLTYPE Refresh() override;

  TBGRadioButton rbDefault;
  TBGRadioButton rbHost;
  TBGEdit edtHost;
  TBGLabel LabHost;
  TBGRadioButton rbOfflineIP;
  TBGIPEdit edtOfflineIP;
  TBGRadioButton rbDetail;
  TBGRadioButton rbURL;
  TBGEdit edtURL;
  TBGButton btnWizard;
  // The names of the two edits for screen readers: the radio buttons beside them name
  // them on the screen.
  TFieldName nameHost;
  TFieldName nameURL;

  void OfflineTypeChanged(TControl& sender);
  void edtHostChange(TControl& sender);
  void edtOfflineIPChanged(TControl& sender);
  void edtURLChange(TControl& sender);
  void btnWizardClick(TControl& sender);

 private:
  void AttachHandlers(bool attach);
};

// Creates the page in `slot` on first use inside `host` (a DNS settings page) over
// `rect`, or shows it; refreshes it.
TComPtr<IPageWrapper> ShowPageOfflineSettings(TControl& host, std::unique_ptr<TPageOfflineSettings>& slot,
                                              const RECT& rect);
