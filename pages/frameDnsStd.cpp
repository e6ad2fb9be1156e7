#include "pages/frameDnsStd.h"

#include <memory>

namespace {
std::unique_ptr<TPageDnsStd> PageDnsStd;
}  // namespace

TPageDnsStd::TPageDnsStd(TControl& owner) : TBaseFrame(owner, kClassName, L"PageDnsStd", kWidth) {}

TComPtr<IPageWrapper> ShowPageDnsStd(TControl& owner) {
  TPageDnsStd& page = CreateOrShowPage(PageDnsStd, owner);
  return OpenMainPage(page, {.enable = true});
}
