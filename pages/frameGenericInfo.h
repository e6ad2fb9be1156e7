// TPageGenericInfo, the first tab of the information page: the public description of
// the user's site in the held profile: connection type, country, three messenger
// numbers, the services the site offers and a free description. Every change writes
// the six single fields together; every click in the service list rewrites the
// services. Stored values the page cannot show (a connection type or a service the
// lists do not have, a language the country box does not know) are kept.
#pragma once
#include <memory>
#include <vector>

#include "pages/InfoSheet.h"
#include "skin/BGComboBox.h"
#include "skin/BGEdit.h"
#include "skin/BGImage.h"
#include "skin/BGLabel.h"
#include "skin/BGListBox.h"
#include "skin/BGMemo.h"
#include "skin/LangBox.h"
#include "toolkit/ComPtr.h"

class TPageGenericInfo : public TInfoSheet {
 public:
  static constexpr wchar_t kClassName[] = L"TPageGenericInfo";
  static constexpr int kWidth = 384;
  static constexpr int kHeight = 271;

  explicit TPageGenericInfo(TControl& host);

  // Loads every control from the held profile with the change handlers detached,
  // gives the connection type the focus, then the base rule.
  void STDMETHODCALLTYPE Refresh() override;

  TBGLabel BGLabel1;
  TBGComboBox cmbConType;
  TBGLabel BGLabel2;
  TLanguageComboBox cmbCountry;
  TBGLabel BGLabel6;
  TBGListBox lstServices;
  TBGLabel BGLabel8;
  TBGImage Image1, Image2, Image3;
  TBGLabel BGLabel3, BGLabel4, BGLabel5;
  TBGEdit edtICQ, edtQQ, edtIPN;
  TBGLabel BGLabel7;
  TBGMemo MemoDesc;

  void GenericInfoChanged(TControl& sender);
  void lstServicesClick(TControl& sender);

 private:
  void AttachHandlers(const TNotifyEvent& changed);
  void ShowProfile();
  // The stored service codes, and the items whose text is no code (kept as stored).
  struct TStoredServices {
    std::vector<int> codes;
    std::vector<std::wstring> unreadable;
  };
  TStoredServices StoredServices() const;
  // Selects the entries of those codes the list offers; other codes are left out.
  void SelectServices(const std::vector<int>& services);
};

// The secondary-page factory: creates the page in `slot` on first use with `host` as
// owner and parent, placed over `rect`, or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageGenericInfo(TControl& host, std::unique_ptr<TPageGenericInfo>& slot,
                                          const RECT& rect);
