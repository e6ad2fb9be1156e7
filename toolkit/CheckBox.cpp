#include "toolkit/CheckBox.h"

TCheckBox::TCheckBox(TControl& parent, const TControlArgs& args, bool leftText)
    : TStdControl(parent, args, GetSysColor(COLOR_BTNFACE)) {
  CreateStandardChild(args, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | (leftText ? BS_LEFTTEXT : 0));
}

bool TCheckBox::Checked() const {
  return Handle() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
  if (!Handle() || checked == Checked()) return;
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Fire(OnClick, *this);
}

std::optional<LRESULT> TCheckBox::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  // An automatic check box has already toggled itself when BN_CLICKED arrives.
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    Fire(OnClick, *this);
    return 0;
  }
  return TStdControl::Reflected(msg, wParam, lParam);
}
