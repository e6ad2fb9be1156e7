#include "toolkit/GroupBox.h"

TGroupBox::TGroupBox(TControl& parent, const TControlArgs& args)
    : TStdControl(parent, args, GetSysColor(COLOR_BTNFACE)) {
  CreateStandardChild(args, L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

LRESULT TGroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT client = ClientRect();
      FillRect(reinterpret_cast<HDC>(wParam), &client, CtlColor(reinterpret_cast<HDC>(wParam)));
      return 1;
    }
    case WM_SETTEXT:
    case WM_ENABLE: {
      // The caption's old width is not erased by the native painting.
      const LRESULT result = TStdControl::WndProc(msg, wParam, lParam);
      Invalidate();
      return result;
    }
  }
  return TStdControl::WndProc(msg, wParam, lParam);
}
