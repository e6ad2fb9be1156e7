#include "pages/LinkLabel.h"

#include <algorithm>
#include <functional>

namespace {

TControlArgs SizedToCaption(const TControl& parent, TControlArgs args) {
  if (args.width <= 0 || args.height <= 0) {
    const SIZE size = CaptionSize(parent, args.caption);
    if (args.width <= 0) args.width = size.cx;
    if (args.height <= 0) args.height = size.cy;
  }
  return args;
}

}  // namespace

TLinkLabel::TLinkLabel(TControl& parent, const TControlArgs& args)
    : TBGLabel(parent, SizedToCaption(parent, args)) {}

TLinkLabel::~TLinkLabel() {
  if (underlined_) DeleteObject(underlined_);
}

void TLinkLabel::Click() {
  if (Enabled()) Fire(OnClick, *this);
}

void TLinkLabel::PaintText(HDC dc, const RECT& rect) {
  if (!underlined_) {
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    font.lfUnderline = TRUE;
    underlined_ = CreateFontIndirectW(&font);
  }
  const HGDIOBJ oldFont = SelectObject(dc, underlined_);
  const COLORREF oldColour = SetTextColor(dc, kLinkColor);
  TBGLabel::PaintText(dc, rect);
  SetTextColor(dc, oldColour);
  SelectObject(dc, oldFont);
}

LRESULT TLinkLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP: {
      // As with a button: pressed on the label and released over it.
      const bool wasPressed = pressed_;
      pressed_ = false;
      if (GetCapture() == Handle()) ReleaseCapture();
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const RECT client = ClientRect();
      if (wasPressed && PtInRect(&client, at)) Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      break;
  }
  return TBGLabel::WndProc(msg, wParam, lParam);
}

SIZE CaptionSize(const TControl& control, const std::wstring& text) {
  SIZE size{0, 0};
  HDC dc = GetDC(control.Handle());
  const HGDIOBJ old = control.Font() ? SelectObject(dc, control.Font()->Handle()) : nullptr;
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (old) SelectObject(dc, old);
  ReleaseDC(control.Handle(), dc);
  // A little room so that the underline and the last glyph's overhang show.
  size.cx = std::max<LONG>(size.cx + 2, 1);
  size.cy = std::max<LONG>(size.cy + 1, 12);
  return size;
}

HICON MakeDrawnIcon(int size, const std::function<void(HDC)>& draw) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, colour);
  RECT all{0, 0, size, size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  draw(dc);
  HDC maskDc = CreateCompatibleDC(dc);
  HGDIOBJ oldMask = SelectObject(maskDc, mask);
  // Monochrome conversion: pixels of the background colour become 1 (transparent).
  SetBkColor(dc, RGB(0, 0, 0));
  BitBlt(maskDc, 0, 0, size, size, dc, 0, 0, SRCCOPY);
  SelectObject(maskDc, oldMask);
  DeleteDC(maskDc);
  SelectObject(dc, old);
  DeleteDC(dc);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

void FillShape(HDC dc, COLORREF colour, const std::function<void()>& shape) {
  HBRUSH brush = CreateSolidBrush(colour);
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  shape();
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

HICON MakeKeyIcon() {
  return MakeDrawnIcon(16, [](HDC dc) {
    const COLORREF gold = RGB(212, 160, 23);
    FillShape(dc, gold, [dc] { Ellipse(dc, 1, 4, 9, 12); });
    FillShape(dc, RGB(1, 1, 1), [dc] { Ellipse(dc, 3, 6, 6, 9); });
    FillShape(dc, gold, [dc] {
      Rectangle(dc, 8, 7, 15, 9);
      Rectangle(dc, 11, 9, 13, 12);
      Rectangle(dc, 13, 9, 15, 11);
    });
  });
}

HICON MakeRowIcon(COLORREF colour) {
  return MakeDrawnIcon(16, [colour](HDC dc) {
    FillShape(dc, colour, [dc] { Ellipse(dc, 3, 3, 13, 13); });
    FillShape(dc, RGB(255, 255, 255), [dc] { Ellipse(dc, 5, 5, 8, 8); });
  });
}
