#include "toolkit/CustomControl.h"

#include "toolkit/BackBuffer.h"
#include "toolkit/Painting.h"

TCustomControl::TCustomControl(TControl& parent, const TControlArgs& args)
    : TCustomControl(parent, args, L"TCustomControl", 0, 0) {}

TCustomControl::TCustomControl(TControl& parent, const TControlArgs& args, const wchar_t* className,
                               DWORD style, DWORD exStyle)
    : TControl(parent, args), color_(GetSysColor(COLOR_BTNFACE)) {
  CreateOwnChild(args, className, style, exStyle);
}

TCustomControl::TCustomControl(std::wstring name)
    : TControl(std::move(name)), color_(GetSysColor(COLOR_BTNFACE)) {}

void TCustomControl::SetColor(COLORREF color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void TCustomControl::Paint(HDC dc, const RECT& clip) {
  FillColor(dc, clip, color_);
}


// The part of the client area that a caller's DC lets through: a control drawing its
// parent's face behind a 16-pixel icon asks for that much, not the whole parent.
RECT TCustomControl::ClippedClientRect(HDC dc) const {
  const RECT client = ClientRect();
  RECT box{};
  const int kind = GetClipBox(dc, &box);
  if (kind == ERROR) return client;
  RECT area{};
  IntersectRect(&area, &client, &box);  // empty when nothing gets through
  return area;
}

void TCustomControl::PaintInto(HDC target, const RECT& clip) {
  if (IsRectEmpty(&clip)) return;
  TBackBuffer buffer(target, clip);
  TDCSelect font(buffer.DC(), Font() ? Font()->Handle() : nullptr);
  Paint(buffer.DC(), clip);
}

LRESULT TCustomControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      // Some callers pass their own DC in wParam to have the window painted into it.
      if (wParam) {
        PaintInto(reinterpret_cast<HDC>(wParam), ClippedClientRect(reinterpret_cast<HDC>(wParam)));
        return 0;
      } else {
        TPaintScope paint(Handle());
        if (paint.DC()) PaintInto(paint.DC(), paint.Area());
        return 0;
      }
    case WM_PRINTCLIENT:
      PaintInto(reinterpret_cast<HDC>(wParam), ClippedClientRect(reinterpret_cast<HDC>(wParam)));
      return 0;
  }
  return TControl::WndProc(msg, wParam, lParam);
}
