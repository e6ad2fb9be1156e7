#include "toolkit/Painting.h"

void FillColor(HDC dc, const RECT& rect, COLORREF colour) {
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);  // no brush to create
  SetBkColor(dc, old);
}

void Frame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width) {
  for (int i = 0; i < width && rect.right - rect.left > 0 && rect.bottom - rect.top > 0; ++i) {
    FillColor(dc, {rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
    FillColor(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, topLeft);
    FillColor(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
    FillColor(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    InflateRect(&rect, -1, -1);
  }
}

TBitmapDC::TBitmapDC(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
  if (!dc_ || !bitmap) return;
  old_ = SelectObject(dc_.Get(), bitmap);
  selected_ = old_ != nullptr && old_ != HGDI_ERROR;
}

TBitmapDC::~TBitmapDC() {
  if (selected_) SelectObject(dc_.Get(), old_);  // the bitmap goes back before the DC is deleted
}

BITMAPINFO TopDownDibInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB};
  return info;
}

TGdiObject<HBITMAP> MakeTopDownDib(int width, int height, void** bits) {
  const BITMAPINFO info = TopDownDibInfo(width, height);
  void* pixels = nullptr;
  TGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (bits) *bits = bitmap ? pixels : nullptr;
  return bitmap;
}

TDitherBrush::TDitherBrush() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  // A 32-bit DIB keeps the two colours exact whatever the screen depth.
  void* bits = nullptr;
  bitmap_ = MakeTopDownDib(8, 8, &bits);
  if (!bitmap_) return;
  auto* pixels = static_cast<DWORD*>(bits);
  const auto rgb = [](COLORREF c) { return DWORD{GetRValue(c)} << 16 | DWORD{GetGValue(c)} << 8 | GetBValue(c); };
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pixels[y * 8 + x] = ((x + y) & 1) ? rgb(light) : rgb(face);
  GdiFlush();
  brush_ = TGdiObject<HBRUSH>(CreatePatternBrush(bitmap_.Get()));
}

void PaintParentBackground(HWND window, HDC dc, const RECT& area) {
  FillColor(dc, area, GetSysColor(COLOR_BTNFACE));
  HWND parent = GetParent(window);
  if (!parent) return;
  POINT origin{0, 0};
  MapWindowPoints(window, parent, &origin, 1);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  POINT old{};
  OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, saved);
}

void ShowErasingAtFirstPaint(HWND window, bool activate) {
  const UINT flags = SWP_SHOWWINDOW | SWP_DEFERERASE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
  SetWindowPos(window, nullptr, 0, 0, 0, 0, activate ? flags : flags | SWP_NOACTIVATE);
}

namespace {

bool StateHidesFocus(HWND window) {
  return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

}  // namespace

void TFocusCues::Follow(HWND window, WPARAM update) {
  if (!(HIWORD(update) & UISF_HIDEFOCUS)) return;
  switch (LOWORD(update)) {
    case UIS_SET: hidden_ = true; break;
    case UIS_CLEAR: hidden_ = false; break;
    case UIS_INITIALIZE: hidden_ = StateHidesFocus(window); break;  // by the last input
  }
}

bool TFocusCues::Shown(HWND window) const {
  return window && GetFocus() == window && !hidden_ && !StateHidesFocus(window);
}

void TFocusCues::Draw(HWND window, HDC dc, RECT rect, int inset) const {
  if (!Shown(window)) return;
  InflateRect(&rect, -inset, -inset);
  if (rect.right - rect.left < 2 || rect.bottom - rect.top < 2) return;
  // DrawFocusRect inverts with the DC's colours: plain black and white make the dots
  // the inverse of what lies beneath, whatever the control set for its text.
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  ::DrawFocusRect(dc, &rect);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}
