#include "pages/frameOnlineSettings.h"

#include "agent/UnitDef.h"
#include "pages/PageLayout.h"
#include "toolkit/Exception.h"

TPageOnlineSettings::TPageOnlineSettings(TControl& host, const RECT& rect)
    : TSettingsPage(host, rect, kClassName, L"PageOnlineSettings"),
      rbCurrentIP(BGGroupBox2, TypeButtonArgs(L"rbCurrentIP", 16, 337,
                                              L"公网动态IP地址建站 - 动态域名专家服务", 0)),
      rbLAN(BGGroupBox2, TypeButtonArgs(L"rbLAN", 46, 349, L"内网私有IP地址建站 - 内网建站专家服务", 1)),
      rbFixedIP(BGGroupBox2, TypeButtonArgs(L"rbFixedIP", 78, 153, L"指定域名在线 IP 地址：", 2)),
      edtFixedIP(BGGroupBox2, {.name = L"edtFixedIP", .left = 164, .top = 75, .width = 145, .height = 21,
                               .tabOrder = 3}),
      rbDetail(BGGroupBox2, TypeButtonArgs(L"rbDetail", 108, 149, L"指向我的用户信息页", 4)),
      rbURL(BGGroupBox2, TypeButtonArgs(L"rbURL", 136, 113, L"智能重定向！", 5)),
      BGLabel1(BGGroupBox2, CaptionArgs(*this, L"BGLabel1", 200, 140, L"模板")),
      cmbTemplates(BGGroupBox2, {.name = L"cmbTemplates", .left = 232, .top = 134, .width = 89, .height = 23,
                                 .tabOrder = 7},
                   {.style = TComboStyle::DropDownList}),
      edtURL(BGGroupBox2, UrlEditArgs(6)),
      btnWizard(BGGroupBox2, WizardButtonArgs(136)),
      nameURL(edtURL, kRedirectUrlName) {
  BGLabel1.SetFocusControl(cmbTemplates);
  edtFixedIP.SetAccessibleName(L"指定域名在线 IP 地址");
  SetTypeChoices({{&rbCurrentIP, 11}, {&rbLAN, 15}, {&rbFixedIP, 12}, {&rbDetail, 14}, {&rbURL, 13}});
  rbLAN.SetEnabled(false);
  DressWizardButton(btnWizard);
  btnWizard.OnClick = [this](TControl& s) { btnWizardClick(s); };
}

void TPageOnlineSettings::AttachHandlers(bool attach) {
  AttachTypeHandler(attach ? TNotifyEvent([this](TControl& s) { OnlineTypeChanged(s); }) : nullptr);
  edtFixedIP.OnChanged = attach ? TNotifyEvent([this](TControl& s) { edtFixedIPChanged(s); }) : nullptr;
  cmbTemplates.OnChange = attach ? TNotifyEvent([this](TControl& s) { cmbTemplatesChange(s); }) : nullptr;
  edtURL.OnChange = attach ? TNotifyEvent([this](TControl& s) { edtURLChange(s); }) : nullptr;
}

void TPageOnlineSettings::Refresh() {
  TSettingsPage::Refresh();
  cmbTemplates.SetItems(ShownTexts(kRedirectTemplates));
  if (!UserProfile.Assigned()) return;
  AttachHandlers(false);
  ShowType(ReadOr([] { return UserProfile.OnlineType(); }, 0));
  edtFixedIP.SetIPAddress(static_cast<uint32_t>(ReadOr([] { return UserProfile.OnlineFixedIP(); }, 0)));
  edtURL.SetText(UserProfile.OnlineURL());
  AttachHandlers(true);
  AskServiceType();
}

// Asked last, once the page is loaded and its handlers attached: a failing agent must
// not leave the page half-loaded. The LAN choice is then withdrawn rather than kept as
// the previous account had it, which could offer it to an account of another service.
void TPageOnlineSettings::AskServiceType() {
  try {
    lanAllowed_ = UserManager.GetServiceType() == kIntranetService;
  } catch (const std::exception& e) {
    lanAllowed_ = false;
    ShowMessageText(ExceptionMessage(e));
  }
  rbLAN.SetEnabled(lanAllowed_ && Enabled());
}

void TPageOnlineSettings::OnlineTypeChanged(TControl&) {
  if (const int code = CheckedType()) ChangeUserProfile([&](TXMLUserInfoType& p) { p.SetOnlineType(code); });
}

void TPageOnlineSettings::edtFixedIPChanged(TControl&) {
  ChangeUserProfile([this](TXMLUserInfoType& p) { p.SetOnlineFixedIP(static_cast<int>(edtFixedIP.IPAddress())); });
}

void TPageOnlineSettings::edtURLChange(TControl&) {
  ChangeUserProfile([this](TXMLUserInfoType& p) { p.SetOnlineURL(edtURL.Text()); });
}

void TPageOnlineSettings::cmbTemplatesChange(TControl&) {
  const int index = cmbTemplates.ItemIndex();
  if (index >= 0) edtURL.SetText(kRedirectTemplates[index].value);
}

void TPageOnlineSettings::btnWizardClick(TControl&) { OpenWizard(TUrlTarget::Online); }

TComPtr<IPageWrapper> ShowPageOnlineSettings(TControl& host, std::unique_ptr<TPageOnlineSettings>& slot,
                                             const RECT& rect) {
  return ShowSecondaryPage(slot, host, rect, false);
}
