#include "pages/DnsSubPages.h"

#include <exception>

#include "agent/UnitDef.h"
#include "shell/Common.h"
#include "pages/CacheTime.h"
#include "shell/frameBase2.h"

namespace {
constexpr int kCacheTimeNotice = 561;
}  // namespace

TControlArgs DnsFrameArgs() {
  return {.name = L"beFrame", .left = 20, .top = 96, .width = 397, .height = 189};
}

TControlArgs DnsTabsArgs() {
  return {.name = L"tabDnsSettings", .left = 20, .top = 283, .width = 185, .height = 21};
}

TDnsSubPages::TDnsSubPages(TControl& page, TBevel& frame, TTabSet& tabs)
    : page_(page), frame_(frame), tabs_(tabs) {
  tabs_.SetTabs({L" 在线设定 ", L" 离线设定 "});
  tabs_.SetTabIndex(kOnline);
  tabs_.OnChange = [this](TTabSet&, int newTab, bool&) { tabDnsSettingsChange(newTab); };
}

IPageWrapper* TDnsSubPages::Current() const {
  if (tab_ == kOnline) return online_.get();
  return offline_.get();
}

TControl* TDnsSubPages::Shown(int tab) const {
  if (tab == kOnline) return online_.get();
  return offline_.get();
}

void TDnsSubPages::Switch(int tab) {
  const TControl* closed = Shown(tab_);
  const bool focusInside = closed && IsChild(closed->Handle(), GetFocus());
  if (IPageWrapper* current = Current()) current->Close();
  const RECT rect = frame_.BoundsRect();
  try {
    if (tab == kOnline)
      ShowPageOnlineSettings(page_, online_, rect);
    else
      ShowPageOfflineSettings(page_, offline_, rect);
  } catch (...) {
    Chosen(tab);
    throw;
  }
  Chosen(tab);
  const TControl* shown = Shown(tab);
  if (!focusInside || !shown) return;
  HWND first = GetNextDlgTabItem(shown->Handle(), nullptr, FALSE);
  SetFocus(first && IsChild(shown->Handle(), first) ? first : page_.Handle());
}

void TDnsSubPages::Prepare() {
  const RECT rect = frame_.BoundsRect();
  CreateSecondaryPage(online_, page_, rect);
  CreateSecondaryPage(offline_, page_, rect);
}

void TDnsSubPages::Chosen(int tab) {
  tab_ = tab;
  tabs_.SetTabIndex(tab);
  SetWindowPos(tabs_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TDnsSubPages::Refresh(const std::function<void()>& finish) {
  std::exception_ptr failure;
  try {
    const TControl* shown = Shown(tab_);
    if (shown && shown->Visible())
      Current()->Refresh();
    else
      Switch(tab_);
  } catch (...) {
    failure = std::current_exception();
  }
  finish();
  if (failure) std::rethrow_exception(failure);
}

void TDnsSubPages::tabDnsSettingsChange(int newTab) {
  PlaySoundFile(GetExeDir() + L"Click.wav");
  Switch(newTab);
}

bool TDnsSubPages::SwitchByKey(WPARAM key) {
  const int tab = tabs_.Enabled() && page_.Enabled() ? TabAfterKey(tabs_, key) : -1;
  if (tab < 0) return false;
  tabDnsSettingsChange(tab);
  return true;
}

void TDnsSubPages::EnableContent(TControl& group, bool enabled) {
  group.SetEnabled(enabled);
  for (TControl* control : group.Controls()) control->SetEnabled(enabled);
  if (IPageWrapper* settings = Current()) settings->SetEnabled(enabled);
  tabs_.SetEnabled(enabled);
}

void ShowDomainTtl(TComboBox& box) {
  // The box lists each time once; an unreadable time chooses none, which keeps it.
  const int seconds = ReadOr([] { return UserProfile.TTL(); }, -1);
  box.SetItemIndex(seconds < 0 ? -1 : box.IndexOf(std::to_wstring(seconds / 60)));
}

void StoreDomainTtl(TPageFrame& page, const TComboBox& box) {
  if (!UserProfile.Assigned()) return;
  page.ShowPageMessage(kCacheTimeNotice, kPopupMessageStyle);
  ChangeUserProfile([&](TXMLUserInfoType& p) { p.SetTTL(CacheTimeSeconds(box)); });
}
