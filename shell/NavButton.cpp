#include "NavButton.h"

TNavButton::TNavButton(TControl& parent, const TControlArgs& args, int group)
    : TControl(parent, args), group_(group) {
  CreateStandardChild(args, L"BUTTON", BS_RADIOBUTTON | BS_PUSHLIKE | WS_TABSTOP);
}

TNavButton* TNavButton::CheckedSibling() const {
  if (!Parent()) return nullptr;
  for (TControl* sibling : Parent()->Controls()) {
    auto* button = dynamic_cast<TNavButton*>(sibling);
    if (button && button != this && button->group_ == group_ && button->checked_) return button;
  }
  return nullptr;
}

void TNavButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  if (checked) {
    if (TNavButton* old = CheckedSibling()) old->SetChecked(false);
  }
  checked_ = checked;
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Fire(checked ? OnChecked : OnUnchecked, *this);
}

std::optional<LRESULT> TNavButton::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (Enabled()) SetChecked(true);
    return 0;
  }
  return TControl::Reflected(msg, wParam, lParam);
}
