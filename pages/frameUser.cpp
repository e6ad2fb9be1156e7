#include "frameUser.h"

#include <memory>

namespace {
std::unique_ptr<TPageUser> PageUser;
}  // namespace

TPageUser::TPageUser(TControl& owner) : TBaseFrame(owner, kClassName, L"PageUser", kWidth) {}

TComPtr<IPageWrapper> ShowPageUser(TControl& owner) {
  TPageUser& page = CreateOrShowPage(PageUser, owner);
  return OpenMainPage(page, {.enable = true});
}
