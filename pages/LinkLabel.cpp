#include "pages/LinkLabel.h"

#include <algorithm>
#include <utility>

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
    : TBGLabel(parent, SizedToCaption(parent, args)) {
  SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) | WS_TABSTOP);
}

TLinkLabel::~TLinkLabel() = default;

void TLinkLabel::Click() {
  if (Enabled()) Fire(OnClick, *this);
}

void TLinkLabel::PaintText(HDC dc, const RECT& rect) {
  if (!underlined_) {
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    font.lfUnderline = TRUE;
    underlined_ = TGdiObject<HFONT>(CreateFontIndirectW(&font));
  }
  {
    const TDCSelect selectFont(dc, underlined_.Get());
    const COLORREF oldColour = SetTextColor(dc, kLinkColor);
    TBGLabel::PaintText(dc, rect);
    SetTextColor(dc, oldColour);
  }
  focusCues_.Draw(Handle(), dc, rect, 0);
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
    // The keyboard, as on a push button. The program's message loop presses a focused
    // push button on Enter (BM_CLICK) before the key is dispatched.
    case WM_GETDLGCODE:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BM_CLICK:
      if (!RepostSentClick(Handle())) Click();
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) Click();
      if (wParam == VK_SPACE) spaceHeld_ = true;
      if (wParam == VK_RETURN || wParam == VK_SPACE) return 0;
      break;
    case WM_KEYUP:
      if (wParam != VK_SPACE) break;
      if (std::exchange(spaceHeld_, false)) Click();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      spaceHeld_ = false;
      Invalidate();  // the focus mark
      break;
    case WM_UPDATEUISTATE: {
      const LRESULT result = TBGLabel::WndProc(msg, wParam, lParam);
      focusCues_.Follow(Handle(), wParam);
      Invalidate();
      return result;
    }
  }
  return TBGLabel::WndProc(msg, wParam, lParam);
}
