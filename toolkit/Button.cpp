#include "toolkit/Button.h"

TButton::TButton(TControl& parent, const TControlArgs& args)
    : TButton(parent, args, BS_PUSHBUTTON) {}

TButton::TButton(TControl& parent, const TControlArgs& args, DWORD style) : TControl(parent, args) {
  CreateStandardChild(args, L"BUTTON", style | WS_TABSTOP);
}

void TButton::Click() {
  if (!Enabled()) return;
  Fire(OnClick, *this);
}

std::optional<LRESULT> TButton::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    Click();
    return 0;
  }
  return TControl::Reflected(msg, wParam, lParam);
}

LRESULT TButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == BM_CLICK && RepostSentClick(Handle())) return 0;
  return TControl::WndProc(msg, wParam, lParam);
}
