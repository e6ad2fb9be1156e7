#include "pages/frameOptions.h"

#include <memory>

namespace {
std::unique_ptr<TPageOptions> PageOptions;
}  // namespace

TPageOptions::TPageOptions(TControl& owner) : TBaseFrame(owner, kClassName, L"PageOptions", kWidth) {}

TComPtr<IPageWrapper> ShowPageOptions(TControl& owner) {
  TPageOptions& page = CreateOrShowPage(PageOptions, owner);
  return OpenMainPage(page, {.enable = true});
}
