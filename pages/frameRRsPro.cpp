#include "pages/frameRRsPro.h"

#include <memory>

#include "agent/UnitDef.h"
#include "pages/frameRRsStd.h"

namespace {
std::unique_ptr<TPageRRsPro> PageRRsPro;
}  // namespace

TPageRRsPro::TPageRRsPro(TControl& owner)
    : TProPage(owner, kClassName, L"PageRRsPro", kWidth, {312, 272}, 1) {}

void TPageRRsPro::btnBackClick(TControl&) {
  if (CurrentPage) CurrentPage->Close();
  CurrentPage = ShowPageRRsStd(*Parent());
}

TComPtr<IPageWrapper> ShowPageRRsPro(TControl& owner, bool snapshot) {
  TPageRRsPro& page = CreateOrShowPage(PageRRsPro, owner);
  return OpenMainPage(page, {.enable = true, .setSnapshot = true, .snapshot = snapshot});
}
