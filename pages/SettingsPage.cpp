#include "pages/SettingsPage.h"

#include "agent/UnitDef.h"
#include "pages/PageIcons.h"
#include "shell/Navigator.h"

TControlArgs TypeButtonArgs(const wchar_t* name, int top, int width, const wchar_t* caption, int tabOrder) {
  return {.name = name, .left = 16, .top = top, .width = width, .height = 17, .caption = caption,
          .tabOrder = tabOrder};
}

TControlArgs UrlEditArgs(int tabOrder) {
  return {.name = L"edtURL", .left = 32, .top = 157, .width = 289, .height = 23, .tabOrder = tabOrder};
}

TControlArgs WizardButtonArgs(int top) {
  return {.name = L"btnWizard", .left = 324, .top = top, .width = 57, .height = 41, .caption = L"向导...",
          .tabOrder = 8};
}

TSettingsPage::TSettingsPage(TControl& host, const RECT& rect, const wchar_t* className, std::wstring name)
    : TBaseFrame2(host, className, std::move(name), rect),
      BGGroupBox2(*this, {.name = L"BGGroupBox2", .width = kGroupWidth, .height = kGroupHeight}) {}

void TSettingsPage::SetEnabled(bool value) {
  TBaseFrame2::SetEnabled(value);
  // Controls keep their own state under a disabled parent: grey them too.
  BGGroupBox2.SetEnabled(value);
  for (TControl* control : BGGroupBox2.Controls()) control->SetEnabled(value && MayEnable(*control));
}

int TSettingsPage::CheckedType() const {
  for (const TTypeChoice& choice : choices_)
    if (choice.button->Checked()) return choice.code;
  return 0;
}

void TSettingsPage::ShowType(int code) {
  for (const TTypeChoice& choice : choices_) choice.button->SetChecked(false);
  for (const TTypeChoice& choice : choices_)
    if (choice.code == code) choice.button->SetChecked(true);
}

void TSettingsPage::AttachTypeHandler(const TNotifyEvent& handler) {
  for (const TTypeChoice& choice : choices_) choice.button->OnClick = handler;
}

void TSettingsPage::DressWizardButton(TBGButton& button) {
  button.SetLayout({.layout = TButtonLayout::GlyphBottom, .spacing = 2});
  AssignIcon(button.Glyph(), MakeWizardGlyph());
}

void TSettingsPage::OpenWizard(TUrlTarget target) {
  // In place of the DNS page that holds this one.
  ReplacePageFrom(*this, [target](TControl& holder) { return ShowPageURL(holder, target); });
}
