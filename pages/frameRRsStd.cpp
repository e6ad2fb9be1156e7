#include "pages/frameRRsStd.h"

#include <memory>

namespace {
std::unique_ptr<TPageRRsStd> PageRRsStd;
}  // namespace

TPageRRsStd::TPageRRsStd(TControl& owner) : TBaseFrame(owner, kClassName, L"PageRRsStd", kWidth) {}

TComPtr<IPageWrapper> ShowPageRRsStd(TControl& owner) {
  TPageRRsStd& page = CreateOrShowPage(PageRRsStd, owner);
  return OpenMainPage(page, {.enable = true});
}
