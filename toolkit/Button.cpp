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
  // A click sent from another program (automation) is posted again and done from the
  // message loop: COM refuses outgoing calls from a handler running inside another
  // program's call, and handlers call other processes.
  if (msg == BM_CLICK && InSendMessage()) {
    PostMessageW(Handle(), BM_CLICK, 0, 0);
    return 0;
  }
  return TControl::WndProc(msg, wParam, lParam);
}
