#include "pages/frameOfflineSettings.h"

#include "agent/UnitDef.h"
#include "pages/PageLayout.h"

TPageOfflineSettings::TPageOfflineSettings(TControl& host, const RECT& rect)
    : TSettingsPage(host, rect, kClassName, L"PageOfflineSettings"),
      rbDefault(BGGroupBox2, TypeButtonArgs(L"rbDefault", 16, 301, L"告诉访问者我不在线", 0)),
      rbHost(BGGroupBox2, TypeButtonArgs(L"rbHost", 46, 61, L"与域名", 1)),
      edtHost(BGGroupBox2, {.name = L"edtHost", .left = 76, .top = 43, .width = 129, .height = 23, .tabOrder = 2}),
      LabHost(BGGroupBox2, CaptionArgs(*this, L"LabHost", 212, 46, L"同步更新（多域名）")),
      rbOfflineIP(BGGroupBox2, TypeButtonArgs(L"rbOfflineIP", 78, 149, L"指定域名离线 IP 地址：", 3)),
      edtOfflineIP(BGGroupBox2, {.name = L"edtOfflineIP", .left = 164, .top = 74, .width = 145, .height = 21,
                                 .tabOrder = 4}),
      rbDetail(BGGroupBox2, TypeButtonArgs(L"rbDetail", 108, 165, L"指向我的用户信息页", 5)),
      rbURL(BGGroupBox2, TypeButtonArgs(L"rbURL", 136, 113, L"Web 重定向", 6)),
      edtURL(BGGroupBox2, UrlEditArgs(7)),
      btnWizard(BGGroupBox2, WizardButtonArgs(138)),
      nameHost(edtHost, L"同步更新的域名"),
      nameURL(edtURL, kRedirectUrlName) {
  edtOfflineIP.SetAccessibleName(L"指定域名离线 IP 地址");
  SetTypeChoices({{&rbDefault, 23}, {&rbHost, 25}, {&rbOfflineIP, 21}, {&rbDetail, 24}, {&rbURL, 22}});
  DressWizardButton(btnWizard);
  btnWizard.OnClick = [this](TControl& s) { btnWizardClick(s); };
}

void TPageOfflineSettings::AttachHandlers(bool attach) {
  AttachTypeHandler(attach ? TNotifyEvent([this](TControl& s) { OfflineTypeChanged(s); }) : nullptr);
  edtHost.OnChange = attach ? TNotifyEvent([this](TControl& s) { edtHostChange(s); }) : nullptr;
  edtOfflineIP.OnChanged = attach ? TNotifyEvent([this](TControl& s) { edtOfflineIPChanged(s); }) : nullptr;
  edtURL.OnChange = attach ? TNotifyEvent([this](TControl& s) { edtURLChange(s); }) : nullptr;
}

void TPageOfflineSettings::Refresh() {
  TSettingsPage::Refresh();
  if (!UserProfile.Assigned()) return;
  AttachHandlers(false);
  ShowType(ReadOr([] { return UserProfile.OfflineType(); }, 0));
  edtHost.SetText(UserProfile.OfflineHost());
  edtOfflineIP.SetIPAddress(static_cast<uint32_t>(ReadOr([] { return UserProfile.OfflineIP(); }, 0)));
  edtURL.SetText(UserProfile.OfflineURL());
  AttachHandlers(true);
}

void TPageOfflineSettings::OfflineTypeChanged(TControl&) {
  if (const int code = CheckedType()) ChangeUserProfile([&](TXMLUserInfoType& p) { p.SetOfflineType(code); });
}

void TPageOfflineSettings::edtHostChange(TControl&) {
  ChangeUserProfile([this](TXMLUserInfoType& p) { p.SetOfflineHost(edtHost.Text()); });
}

void TPageOfflineSettings::edtOfflineIPChanged(TControl&) {
  ChangeUserProfile([this](TXMLUserInfoType& p) { p.SetOfflineIP(static_cast<int>(edtOfflineIP.IPAddress())); });
}

void TPageOfflineSettings::edtURLChange(TControl&) {
  ChangeUserProfile([this](TXMLUserInfoType& p) { p.SetOfflineURL(edtURL.Text()); });
}

void TPageOfflineSettings::btnWizardClick(TControl&) { OpenWizard(TUrlTarget::Offline); }

TComPtr<IPageWrapper> ShowPageOfflineSettings(TControl& host, std::unique_ptr<TPageOfflineSettings>& slot,
                                              const RECT& rect) {
  return ShowSecondaryPage(slot, host, rect, false);
}
