#include "pages/frameInfo.h"

#include <memory>

namespace {
std::unique_ptr<TPageInfo> PageInfo;
}  // namespace

TPageInfo::TPageInfo(TControl& owner) : TBaseFrame(owner, kClassName, L"PageInfo", kWidth) {}

TComPtr<IPageWrapper> ShowPageInfo(TControl& owner) {
  TPageInfo& page = CreateOrShowPage(PageInfo, owner);
  return OpenMainPage(page, {.enable = true});
}
