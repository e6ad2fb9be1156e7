#include "pages/frameInfo.h"

#include "shell/Common.h"
#include "shell/frameBase2.h"

namespace {

std::unique_ptr<TPageInfo> PageInfo;

// 8 points on a 96-dpi screen.
const TFontDesc kTabFont{.face = L"MS Sans Serif", .height = 11};

}  // namespace

TPageInfo::TPageInfo(TControl& owner)
    : TBaseFrame(owner, kClassName, L"PageInfo", kWidth),
      beFrame(*this, {.name = L"beFrame", .left = 20, .top = 16, .width = 389, .height = 269},
              TBevelShape::Frame),
      tabInfo(*this, {.name = L"tabInfo", .left = 20, .top = 283, .width = 253, .height = 21},
              {.startMargin = 0}) {
  tabInfo.SetFont(MakeFont(kTabFont));
  tabInfo.SetTabs({L" 基本信息 ", L" 站点分类 ", L" 新闻及关键字 "});
  tabInfo.SetTabIndex(0);
  tabInfo.OnChange = [this](TTabSet& s, int tab, bool& allow) { tabInfoChange(s, tab, allow); };
}

void TPageInfo::Refresh() {
  if (current_) {
    current_->SetEnabled(true);
    current_->Refresh();
  }
  TBaseFrame::Refresh();
}

void TPageInfo::tabInfoChange(TTabSet&, int newTab, bool&) {
  PlaySoundFile(GetExeDir() + L"Click.wav");
  ShowSheet(newTab);
}

void TPageInfo::PrepareSheets() {
  const RECT area = beFrame.BoundsRect();
  CreateSecondaryPage(PageGenericInfo, *this, area);
  CreateSecondaryPage(PageCategory, *this, area);
  PageCategory->FillEntries();
  CreateSecondaryPage(PageNewsKeys, *this, area);
}

void TPageInfo::ShowSheet(int tab) {
  if (current_) current_->Close();
  current_.Reset();
  const RECT area = beFrame.BoundsRect();
  switch (tab) {
    case 0: current_ = ShowPageGenericInfo(*this, PageGenericInfo, area); break;
    case 1: current_ = ShowPageCategory(*this, PageCategory, area); break;
    case 2: current_ = ShowPageNewsKeys(*this, PageNewsKeys, area); break;
    default: return;
  }
  OrderAroundSheet();
}

void TPageInfo::ChooseFirstSheet() {
  current_ = ShowUnloadedSecondaryPage(PageGenericInfo, *this, beFrame.BoundsRect());
  OrderAroundSheet();
}

void TPageInfo::OrderAroundSheet() {
  // The bevel goes to the back, under the page that covers it.
  constexpr UINT kOrderOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  SetWindowPos(tabInfo.Handle(), HWND_TOP, 0, 0, 0, 0, kOrderOnly);
  SetWindowPos(beFrame.Handle(), HWND_BOTTOM, 0, 0, 0, 0, kOrderOnly);
}

bool TPageInfo::DialogKey(WPARAM key) {
  const int tab = Enabled() ? TabAfterKey(tabInfo, key) : -1;
  if (tab < 0) return TBaseFrame::DialogKey(key);
  bool allow = true;
  tabInfoChange(tabInfo, tab, allow);
  tabInfo.SetTabIndex(tab);
  return true;
}

TComPtr<IPageWrapper> ShowPageInfo(TControl& owner) {
  TPageInfo& page = CreateOrShowPage(PageInfo, owner);
  if (!page.CurrentSheet()) page.ChooseFirstSheet();
  return OpenMainPage(page, {.enable = true});
}

void PreparePageInfo(TControl& owner) {
  CreatePage(PageInfo, owner).PrepareSheets();
}
