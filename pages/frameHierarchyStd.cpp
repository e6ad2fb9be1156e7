#include "pages/frameHierarchyStd.h"

#include <memory>

#include "agent/UnitDef.h"
#include "pages/PageLayout.h"
#include "pages/PageIcons.h"
#include "pages/ProPage.h"
#include "pages/frameHierarchyPro.h"
#include "shell/Navigator.h"

namespace {

std::unique_ptr<TPageHierarchyStd> PageHierarchyStd;

constexpr int kIconsLeft = 418;

TControlArgs LegendIcon(const wchar_t* name, int top, const wchar_t* state) {
  return {.name = name, .left = 13, .top = top, .width = 16, .height = 16, .caption = state};
}

}  // namespace

TPageHierarchyStd::TPageHierarchyStd(TControl& owner)
    : THierarchyPage(owner, kIconsLeft, kClassName, L"PageHierarchyStd", kWidth),
      BGPanel1(*this, {.name = L"BGPanel1", .left = 20, .top = 136, .width = 253, .height = 81, .tabOrder = 2},
               {.bevelOuter = TBevelCut::None}),
      Image1(BGPanel1, LegendIcon(L"Image1", 8, kActiveState)),
      Image2(BGPanel1, LegendIcon(L"Image2", 32, kPendingState)),
      Image3(BGPanel1, LegendIcon(L"Image3", 56, kExpiredState)),
      BGLabel3(BGPanel1, CaptionArgs(*this, L"BGLabel3", 36, 10, L"活动 - 成功加入指定域")),
      BGLabel1(BGPanel1, CaptionArgs(*this, L"BGLabel1", 36, 34, L"等待 - 期待父域的授权确认")),
      BGLabel2(BGPanel1, CaptionArgs(*this, L"BGLabel2", 36, 58, L"过期 - 父域过期失效")),
      btnSnapShot(*this, {.name = L"btnSnapShot", .left = 270, .top = 272, .width = 135, .height = 16,
                          .caption = kSnapshotCaption, .tabOrder = 1}) {
  Image1.Picture().Assign(ImageActive.Picture());
  Image2.Picture().Assign(ImagePending.Picture());
  Image3.Picture().Assign(ImageExpired.Picture());
  DressSnapshotButton(btnSnapShot, L"SnapPro");
  btnSnapShot.OnClick = [this](TControl& s) { btnSnapShotClick(s); };
}

void TPageHierarchyStd::Refresh() {
  ShowParentRows();
  TBaseFrame::Refresh();
}

void TPageHierarchyStd::btnSnapShotClick(TControl&) {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageHierarchyPro(main, true); });
}

LRESULT TPageHierarchyStd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR && ShowHandCursor(btnSnapShot, wParam, lParam)) return TRUE;
  return THierarchyPage::WndProc(msg, wParam, lParam);
}

TComPtr<IPageWrapper> ShowPageHierarchyStd(TControl& owner) {
  TPageHierarchyStd& page = CreateOrShowPage(PageHierarchyStd, owner);
  return OpenMainPage(page, {.enable = true});
}

void PreparePageHierarchyStd(TControl& owner) {
  CreatePage(PageHierarchyStd, owner);
}
