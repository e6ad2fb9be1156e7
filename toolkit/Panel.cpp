#include "toolkit/Panel.h"

#include "toolkit/Exception.h"
#include "toolkit/Painting.h"

namespace {

constexpr DWORD kPanelStyle = WS_CLIPCHILDREN;

void PaintBevel(HDC dc, RECT& rect, TBevelCut cut, int width) {
  if (cut == TBevelCut::None) return;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  if (cut == TBevelCut::Raised)
    Frame3D(dc, rect, light, dark, width);
  else
    Frame3D(dc, rect, dark, light, width);
}

void CheckWidth(const std::wstring& name, int width) {
  if (width < 0) throw EError(L"A bevel or border width of " + name + L" cannot be negative");
}

}  // namespace

TPanel::TPanel(TControl& parent, const TControlArgs& args, const TPanelOptions& options)
    : TPanel(parent, args, options, L"TPanel") {}

TPanel::TPanel(TControl& parent, const TControlArgs& args, const TPanelOptions& options, const wchar_t* className)
    : TCustomControl(parent, args, className, kPanelStyle, WS_EX_CONTROLPARENT | BorderExStyle(options.border)),
      options_(options) {
  CheckWidth(Name(), options.bevelWidth);
  CheckWidth(Name(), options.borderWidth);
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  options_.bevelOuter = bevel;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
  options_.bevelInner = bevel;
  Invalidate();
}

void TPanel::SetBevelWidth(int width) {
  CheckWidth(Name(), width);
  options_.bevelWidth = width;
  Invalidate();
}

void TPanel::SetBorderWidth(int width) {
  CheckWidth(Name(), width);
  options_.borderWidth = width;
  Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
  options_.alignment = alignment;
  Invalidate();
}

void TPanel::PaintBevels(HDC dc, RECT& rect) const {
  PaintBevel(dc, rect, options_.bevelOuter, options_.bevelWidth);
  if (options_.bevelOuter != TBevelCut::None || options_.bevelInner != TBevelCut::None)
    InflateRect(&rect, -options_.borderWidth, -options_.borderWidth);
  PaintBevel(dc, rect, options_.bevelInner, options_.bevelWidth);
}

RECT TPanel::InnerRect() const {
  RECT rect = ClientRect();
  int inset = options_.borderWidth;
  if (options_.bevelOuter != TBevelCut::None) inset += options_.bevelWidth;
  if (options_.bevelInner != TBevelCut::None) inset += options_.bevelWidth;
  if (options_.bevelOuter == TBevelCut::None && options_.bevelInner == TBevelCut::None) inset = 0;
  InflateRect(&rect, -inset, -inset);
  return rect;
}

void TPanel::PaintCaption(HDC dc, const RECT& rect) const {
  const std::wstring text = Caption();
  if (text.empty()) return;
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (options_.alignment == TAlignment::Center) format |= DT_CENTER;
  if (options_.alignment == TAlignment::Right) format |= DT_RIGHT;
  RECT area = rect;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

void TPanel::Paint(HDC dc, const RECT& clip) {
  FillColor(dc, clip, Color());
  RECT rect = ClientRect();
  PaintBevels(dc, rect);
  PaintCaption(dc, rect);
}

LRESULT TPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT || msg == WM_ENABLE) {
    const LRESULT result = TCustomControl::WndProc(msg, wParam, lParam);
    Invalidate();
    return result;
  }
  return TCustomControl::WndProc(msg, wParam, lParam);
}
