#include "toolkit/CustomControl.h"

#include "toolkit/BackBuffer.h"

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
  HBRUSH brush = CreateSolidBrush(color_);
  FillRect(dc, &clip, brush);
  DeleteObject(brush);
}

namespace {

// BeginPaint/EndPaint as a scope: a Paint that throws must still validate the
// window, or WM_PAINT (and its error report) would come back for ever.
class TPaintScope {
 public:
  explicit TPaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
  ~TPaintScope() { EndPaint(window_, &ps_); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC DC() const { return dc_; }
  const RECT& Area() const { return ps_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

class TSelectScope {
 public:
  TSelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~TSelectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelectScope(const TSelectScope&) = delete;
  TSelectScope& operator=(const TSelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace

void TCustomControl::PaintInto(HDC target, const RECT& clip) {
  TBackBuffer buffer(target, clip);
  TSelectScope font(buffer.DC(), Font() ? Font()->Handle() : nullptr);
  Paint(buffer.DC(), clip);
}

LRESULT TCustomControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      // Some callers pass their own DC in wParam to have the window painted into it.
      if (wParam) {
        PaintInto(reinterpret_cast<HDC>(wParam), ClientRect());
        return 0;
      } else {
        TPaintScope paint(Handle());
        if (paint.DC() && !IsRectEmpty(&paint.Area())) PaintInto(paint.DC(), paint.Area());
        return 0;
      }
    case WM_PRINTCLIENT:
      PaintInto(reinterpret_cast<HDC>(wParam), ClientRect());
      return 0;
  }
  return TControl::WndProc(msg, wParam, lParam);
}
