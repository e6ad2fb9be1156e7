#include "toolkit/RadioButton.h"

TRadioButton::TRadioButton(TControl& parent, const TControlArgs& args, bool leftText)
    : TStdControl(parent, args, GetSysColor(COLOR_BTNFACE)) {
  // Not BS_AUTORADIOBUTTON: the automatic kind groups by WS_GROUP and z-order and
  // would uncheck buttons of other groups under the same parent.
  CreateStandardChild(args, L"BUTTON", BS_RADIOBUTTON | (leftText ? BS_LEFTTEXT : 0));
}

bool TRadioButton::Checked() const {
  return Handle() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetState(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
  SetWindowLongW(Handle(), GWL_STYLE, checked ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

void TRadioButton::UncheckSiblings() {
  if (!Parent()) return;
  for (TControl* sibling : Parent()->Controls()) {
    auto* radio = dynamic_cast<TRadioButton*>(sibling);
    if (radio && radio != this && radio->Handle() && radio->Checked()) radio->SetState(false);
  }
}

void TRadioButton::SetChecked(bool checked) {
  if (!Handle() || checked == Checked()) return;
  SetState(checked);
  if (!checked) return;
  UncheckSiblings();
  Fire(OnClick, *this);
}

std::optional<LRESULT> TRadioButton::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    // Disabled buttons take no clicks, but a synthesised BN_CLICKED still arrives.
    if (Enabled()) SetChecked(true);
    return 0;
  }
  return TStdControl::Reflected(msg, wParam, lParam);
}
