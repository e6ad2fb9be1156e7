#include "pages/frameDnsPro.h"

#include <memory>

#include "agent/UnitDef.h"
#include "pages/CacheTime.h"
#include "pages/PageLayout.h"
#include "pages/frameDnsStd.h"
#include "shell/Navigator.h"

namespace {
std::unique_ptr<TPageDnsPro> PageDnsPro;
}  // namespace

TPageDnsPro::TPageDnsPro(TControl& owner)
    : TProPage(owner, kClassName, L"PageDnsPro", kWidth, {316, 72}, 1, kHeight),
      GroupDomain(*this, {.name = L"GroupDomain", .left = 20, .top = 12, .width = 397, .height = 81,
                          .caption = L"域名设定", .tabOrder = 0}),
      BGLabel1(GroupDomain, CaptionArgs(*this, L"BGLabel1", 14, 24, L"独立/二级域名：")),
      edtInterDomain(GroupDomain, {.name = L"edtInterDomain", .left = 104, .top = 20, .width = 193, .height = 23,
                                   .tabOrder = 0}),
      BGLabel4(GroupDomain, CaptionArgs(*this, L"BGLabel4", 304, 24, L"（可修改）")),
      BGLabel2(GroupDomain, CaptionArgs(*this, L"BGLabel2", 40, 52, L"缓存时间：")),
      cmbTTL(GroupDomain, {.name = L"cmbTTL", .left = 104, .top = 48, .width = 77, .height = 23, .tabOrder = 1},
             {.style = TComboStyle::DropDownList}),
      BGLabel3(GroupDomain, CaptionArgs(*this, L"BGLabel3", 188, 52, L"分钟")),
      beFrame(*this, DnsFrameArgs(), TBevelShape::Frame),
      tabDnsSettings(*this, DnsTabsArgs(), kDnsTabsOptions),
      subPages_(*this, beFrame, tabDnsSettings) {
  BGLabel1.SetFocusControl(edtInterDomain);
  BGLabel2.SetFocusControl(cmbTTL);
}

void TPageDnsPro::AttachHandlers(bool attach) {
  edtInterDomain.OnChange = attach ? TNotifyEvent([this](TControl& s) { InterNameChanged(s); }) : nullptr;
  cmbTTL.OnChange = attach ? TNotifyEvent([this](TControl& s) { comboxTtlChange(s); }) : nullptr;
}

void TPageDnsPro::Refresh() {
  FillCacheTimes(cmbTTL);
  if (UserProfile.Assigned()) {
    AttachHandlers(false);
    edtInterDomain.SetText(UserProfile.Domain());
    ShowDomainTtl(cmbTTL);
    AttachHandlers(true);
  }
  subPages_.Refresh([this] {
    edtInterDomain.SetFocus();
    TProPage::Refresh();
    if (GetEnabled()) return;
    // The settings page's own refresh enabled it while it has a profile.
    if (IPageWrapper* settings = subPages_.Current()) settings->SetEnabled(false);
    if (btnBack.Visible()) btnBack.SetFocus();
  });
}

bool TPageDnsPro::DialogKey(WPARAM key) {
  return subPages_.SwitchByKey(key) || TProPage::DialogKey(key);
}

void TPageDnsPro::EnableContent(bool enabled) { subPages_.EnableContent(GroupDomain, enabled); }

void TPageDnsPro::InterNameChanged(TControl&) {
  ChangeUserProfile([this](TXMLUserInfoType& p) { p.SetDomain(edtInterDomain.Text()); });
}

void TPageDnsPro::comboxTtlChange(TControl&) { StoreDomainTtl(*this, cmbTTL); }

void TPageDnsPro::btnBackClick(TControl&) {
  ReplacePageFrom(*this, [](TControl& main) { return ShowPageDnsStd(main); });
}

TComPtr<IPageWrapper> ShowPageDnsPro(TControl& owner, bool snapshot) {
  TPageDnsPro& page = CreateOrShowPage(PageDnsPro, owner);
  return OpenMainPage(page, {.enable = true, .setSnapshot = true, .snapshot = snapshot});
}

void PreparePageDnsPro(TControl& owner) {
  CreatePage(PageDnsPro, owner).SubPages().Prepare();
}
