#include "pages/frameHierarchyStd.h"

#include <memory>

namespace {
std::unique_ptr<TPageHierarchyStd> PageHierarchyStd;
}  // namespace

TPageHierarchyStd::TPageHierarchyStd(TControl& owner) : TBaseFrame(owner, kClassName, L"PageHierarchyStd", kWidth) {}

TComPtr<IPageWrapper> ShowPageHierarchyStd(TControl& owner) {
  TPageHierarchyStd& page = CreateOrShowPage(PageHierarchyStd, owner);
  return OpenMainPage(page, {.enable = true});
}
