#include "pages/frameHierarchyPro.h"

#include <memory>

#include "agent/UnitDef.h"
#include "pages/frameHierarchyStd.h"

namespace {
std::unique_ptr<TPageHierarchyPro> PageHierarchyPro;
}  // namespace

TPageHierarchyPro::TPageHierarchyPro(TControl& owner)
    : TProPage(owner, kClassName, L"PageHierarchyPro", kWidth, {312, 272}, 2) {}

void TPageHierarchyPro::btnBackClick(TControl&) {
  if (CurrentPage) CurrentPage->Close();
  CurrentPage = ShowPageHierarchyStd(*Parent());
}

TComPtr<IPageWrapper> ShowPageHierarchyPro(TControl& owner, bool snapshot) {
  TPageHierarchyPro& page = CreateOrShowPage(PageHierarchyPro, owner);
  return OpenMainPage(page, {.enable = true, .setSnapshot = true, .snapshot = snapshot});
}
