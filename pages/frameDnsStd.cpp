#include "pages/frameDnsStd.h"

#include <memory>

#include "agent/UnitDef.h"
#include "pages/CacheTime.h"
#include "pages/PageLayout.h"
#include "pages/ProPage.h"
#include "pages/frameDnsPro.h"
#include "shell/Navigator.h"

namespace {

std::unique_ptr<TPageDnsStd> PageDnsStd;

constexpr TComboBoxOptions kChoiceList{.style = TComboStyle::DropDownList};

TControlArgs Field(const wchar_t* name, int left, int top, int width, int tabOrder, const wchar_t* text = L"") {
  return {.name = name, .left = left, .top = top, .width = width, .height = 23, .caption = text,
          .tabOrder = tabOrder};
}

}  // namespace

std::vector<std::wstring> DomainSuffixes() {
  std::vector<std::wstring> suffixes = LoadDomainList();
  // The agent's list serves even when it could not be stored.
  if (suffixes.empty() && UserProfile.Assigned()) suffixes = RefreshDomainList();
  return suffixes;
}

TPageDnsStd::TPageDnsStd(TControl& owner)
    : TBaseFrame(owner, kClassName, L"PageDnsStd", kWidth),
      GroupDomain(*this, {.name = L"GroupDomain", .left = 20, .top = 12, .width = 397, .height = 81,
                          .caption = L" 域名设定", .tabOrder = 0}),
      BGLabel4(GroupDomain, CaptionArgs(*this, L"BGLabel4", 16, 24, L"二级域名：")),
      edtYourName(GroupDomain, Field(L"edtYourName", 80, 20, 81, 0, L"YourName")),
      BGLabel1(GroupDomain, CaptionArgs(*this, L"BGLabel1", 165, 19, L".")),
      comboxDomain(GroupDomain, Field(L"comboxDomain", 176, 20, 133, 1), kChoiceList),
      BGLabel2(GroupDomain, CaptionArgs(*this, L"BGLabel2", 16, 52, L"缓存时间：")),
      cmbTTL(GroupDomain, Field(L"cmbTTL", 80, 48, 81, 2), kChoiceList),
      BGLabel3(GroupDomain, CaptionArgs(*this, L"BGLabel3", 168, 52, L"分钟")),
      // At 276, 72 of the page.
      btnSnapShot(GroupDomain, {.name = L"btnSnapShot", .left = 256, .top = 60, .width = 135, .height = 16,
                                .caption = kSnapshotCaption, .tabOrder = 3}),
      beFrame(*this, DnsFrameArgs(), TBevelShape::Frame),
      tabDnsSettings(*this, DnsTabsArgs(), kDnsTabsOptions),
      nameDomainSuffix(comboxDomain, L"域名后缀"),
      subPages_(*this, beFrame, tabDnsSettings) {
  BGLabel4.SetFocusControl(edtYourName);
  BGLabel2.SetFocusControl(cmbTTL);
  // The full stop between label and suffix, large, sized to itself.
  BGLabel1.SetFont(MakeFont({.face = L"Arial", .height = 24, .charset = ANSI_CHARSET}));
  const SIZE dot = CaptionSize(BGLabel1, BGLabel1.Caption());
  BGLabel1.SetBounds(165, 19, dot.cx, dot.cy);
  DressSnapshotButton(btnSnapShot, L"SnapPro");
  btnSnapShot.OnClick = [this](TControl& s) { btnSnapShotClick(s); };
}

void TPageDnsStd::AttachHandlers(bool attach) {
  const TNotifyEvent nameChanged = [this](TControl& s) { FreeNameChanged(s); };
  edtYourName.OnChange = attach ? nameChanged : nullptr;
  comboxDomain.OnChange = attach ? nameChanged : nullptr;
  cmbTTL.OnChange = attach ? TNotifyEvent([this](TControl& s) { cmbTTLChange(s); }) : nullptr;
}

void TPageDnsStd::Refresh() {
  FillCacheTimes(cmbTTL);
  const std::vector<std::wstring> suffixes = DomainSuffixes();
  comboxDomain.SetItems(suffixes);
  if (UserProfile.Assigned()) LoadName(suffixes);
  subPages_.Refresh([this] {
    edtYourName.SetFocus();
    TBaseFrame::Refresh();
  });
}

void TPageDnsStd::SetEnabled(bool value) {
  TBaseFrame::SetEnabled(value);
  subPages_.EnableContent(GroupDomain, value);
}

bool TPageDnsStd::DialogKey(WPARAM key) {
  return subPages_.SwitchByKey(key) || TBaseFrame::DialogKey(key);
}

void TPageDnsStd::LoadName(const std::vector<std::wstring>& suffixes) {
  AttachHandlers(false);
  std::wstring label, suffix;
  if (SplitHostName(UserProfile.Domain(), suffixes, label, suffix)) {
    for (int i = 0; i < comboxDomain.Count(); ++i)
      if (comboxDomain.Item(i) == suffix) comboxDomain.SetItemIndex(i);
    edtYourName.SetText(label);
  } else {
    edtYourName.Clear();
    comboxDomain.SetItemIndex(-1);
  }
  ShowDomainTtl(cmbTTL);
  AttachHandlers(true);
}

void TPageDnsStd::FreeNameChanged(TControl&) {
  // Without a suffix the name would end in a full stop: the stored one stays.
  if (comboxDomain.ItemIndex() < 0) return;
  ChangeUserProfile([this](TXMLUserInfoType& p) { p.SetDomain(edtYourName.Text() + L"." + comboxDomain.Text()); });
}

void TPageDnsStd::cmbTTLChange(TControl&) { StoreDomainTtl(*this, cmbTTL); }

void TPageDnsStd::btnSnapShotClick(TControl&) {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageDnsPro(main, true); });
}

LRESULT TPageDnsStd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR && ShowHandCursor(btnSnapShot, wParam, lParam)) return TRUE;
  return TBaseFrame::WndProc(msg, wParam, lParam);
}

TComPtr<IPageWrapper> ShowPageDnsStd(TControl& owner) {
  TPageDnsStd& page = CreateOrShowPage(PageDnsStd, owner);
  return OpenMainPage(page, {.enable = true});
}

void PreparePageDnsStd(TControl& owner) {
  CreatePage(PageDnsStd, owner).SubPages().Prepare();
}
