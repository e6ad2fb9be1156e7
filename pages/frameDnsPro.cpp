#include "pages/frameDnsPro.h"

#include <memory>

#include "agent/UnitDef.h"
#include "pages/frameDnsStd.h"

namespace {
std::unique_ptr<TPageDnsPro> PageDnsPro;
}  // namespace

TPageDnsPro::TPageDnsPro(TControl& owner)
    : TProPage(owner, kClassName, L"PageDnsPro", kWidth, {316, 72}, 1) {}

void TPageDnsPro::btnBackClick(TControl&) {
  if (CurrentPage) CurrentPage->Close();
  CurrentPage = ShowPageDnsStd(*Parent());
}

TComPtr<IPageWrapper> ShowPageDnsPro(TControl& owner, bool snapshot) {
  TPageDnsPro& page = CreateOrShowPage(PageDnsPro, owner);
  return OpenMainPage(page, {.enable = true, .setSnapshot = true, .snapshot = snapshot});
}
