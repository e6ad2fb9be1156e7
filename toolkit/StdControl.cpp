#include "toolkit/StdControl.h"

#include <utility>

DWORD BorderExStyle(TBorderStyle border) {
  return border == TBorderStyle::Single ? WS_EX_CLIENTEDGE : 0;
}

TBorderStyle BorderStyleOf(const TControl& control) {
  if (!control.Handle()) return TBorderStyle::None;
  return (GetWindowLongW(control.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? TBorderStyle::Single
                                                                            : TBorderStyle::None;
}

TNoRedraw::TNoRedraw(TControl& control) : control_(control), shown_(control.Visible()) {
  if (shown_) SendMessageW(control_.Handle(), WM_SETREDRAW, FALSE, 0);
}

TNoRedraw::~TNoRedraw() {
  if (shown_) SendMessageW(control_.Handle(), WM_SETREDRAW, TRUE, 0);
  control_.Invalidate();
}


TStdControl::TStdControl(TControl& parent, const TControlArgs& args, COLORREF color)
    : TControl(parent, args), color_(color), fontColor_(GetSysColor(COLOR_WINDOWTEXT)) {}

TStdControl::~TStdControl() = default;

void TStdControl::SetColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  brush_.Reset();
  Invalidate();
}

void TStdControl::SetFontColor(COLORREF color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  Invalidate();
}

HBRUSH TStdControl::CtlColor(HDC dc) {
  if (!brush_) brush_ = TGdiObject<HBRUSH>(CreateSolidBrush(color_));
  SetBkColor(dc, color_);
  SetTextColor(dc, fontColor_);
  return brush_.Get();
}

std::optional<LRESULT> TStdControl::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (IsCtlColorMessage(msg)) return reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(wParam)));
  return TControl::Reflected(msg, wParam, lParam);
}

LRESULT TStdControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CHAR:
      if (OnKeyPress) {
        auto key = static_cast<wchar_t>(wParam);
        OnKeyPress(*this, key);
        if (!key) return 0;
        wParam = key;
      }
      break;
    case WM_KEYDOWN:
      if (OnKeyDown) {
        auto key = static_cast<WORD>(wParam);
        OnKeyDown(*this, key);
        if (!key) return 0;
        wParam = key;
      }
      break;
    case WM_SETFOCUS: {
      const LRESULT result = TControl::WndProc(msg, wParam, lParam);
      Fire(OnEnter, *this);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = TControl::WndProc(msg, wParam, lParam);
      Fire(OnExit, *this);
      return result;
    }
  }
  return TControl::WndProc(msg, wParam, lParam);
}
