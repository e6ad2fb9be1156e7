#include "toolkit/SpeedButton.h"

#include "toolkit/Painting.h"

TSpeedButton::TSpeedButton(TControl& parent, const TControlArgs& args, const TSpeedButtonOptions& options)
    : TCustomControl(parent, args), options_(options), glyph_([this] { Invalidate(); }) {
  // The window class stays the plain custom control's; only the style differs.
  if (options.tabStop)
    SetWindowLongW(Handle(), GWL_STYLE, GetWindowLongW(Handle(), GWL_STYLE) | WS_TABSTOP);
}

void TSpeedButton::SetDown(bool down) {
  if (options_.groupIndex == 0) down = false;
  if (down == down_) return;
  if (down_ && !options_.allowAllUp) return;
  down_ = down;
  if (down_) RaiseGroup();
  Invalidate();
}

void TSpeedButton::RaiseGroup() {
  if (!Parent()) return;
  for (TControl* sibling : Parent()->Controls()) {
    auto* button = dynamic_cast<TSpeedButton*>(sibling);
    if (button && button != this && button->options_.groupIndex == options_.groupIndex && button->down_) {
      button->down_ = false;
      button->Invalidate();
    }
  }
}

void TSpeedButton::SetGroupIndex(int groupIndex) {
  options_.groupIndex = groupIndex;
  if (groupIndex == 0 && down_) {
    down_ = false;
    Invalidate();
  } else if (down_) {
    RaiseGroup();
  }
}

void TSpeedButton::SetFlat(bool flat) {
  options_.flat = flat;
  Invalidate();
}

void TSpeedButton::SetLayout(const TGlyphLayout& layout) {
  options_.glyph = layout;
  Invalidate();
}

void TSpeedButton::Click() {
  if (!Enabled()) return;
  if (options_.groupIndex != 0) {
    if (!down_) {
      SetDown(true);
    } else if (options_.allowAllUp) {
      SetDown(false);
    }
  }
  Fire(OnClick, *this);
}

void TSpeedButton::SetHot(bool hot) {
  if (hot == hot_) return;
  hot_ = hot;
  Invalidate();
}

void TSpeedButton::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  Invalidate();
}

void TSpeedButton::PaintFrame(HDC dc, const RECT& rect) {
  const bool sunk = pressed_ || down_;
  if (!options_.flat) {
    RECT face = rect;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (sunk ? DFCS_PUSHED : 0));
    if (down_ && !pressed_) {
      TDitherBrush dither;
      InflateRect(&face, -2, -2);
      FillRect(dc, &face, dither.Handle());
    }
    return;
  }
  // Flat: the parent shows through unless the button is down, held or pointed at.
  if (down_ && !pressed_ && !hot_) {
    TDitherBrush dither;
    FillRect(dc, &rect, dither.Handle());
  } else if (sunk || hot_) {
    FillColor(dc, rect, Color());
  } else {
    PaintParentFace(dc, rect);
  }
  if (sunk || (hot_ && Enabled())) {
    RECT edge = rect;
    DrawEdge(dc, &edge, sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
}

void TSpeedButton::Paint(HDC dc, const RECT&) {
  RECT rect = ClientRect();
  PaintFrame(dc, rect);
  if (Focused()) {
    RECT focus = rect;
    InflateRect(&focus, -2, -2);
    ::DrawFocusRect(dc, &focus);
  }
  if (pressed_ || down_) OffsetRect(&rect, 1, 1);
  const COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawGlyphAndCaption(dc, rect, glyph_, Caption(), options_.glyph, Enabled());
  SetTextColor(dc, old);
}

bool TSpeedButton::DialogKey(WPARAM key) {
  if (key != VK_RETURN || !Focused()) return false;
  Click();
  return true;
}

void TSpeedButton::PaintParentFace(HDC dc, const RECT& rect) { PaintParentBackground(Handle(), dc, rect); }

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case BM_CLICK:
      if (!RepostSentClick(Handle())) Click();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the second press of a double click is a press too
      if (!Enabled()) break;
      SetCapture(Handle());
      tracking_ = true;
      SetPressed(true);
      return 0;
    case WM_MOUSEMOVE: {
      if (!hot_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
        SetHot(true);
      }
      if (tracking_) {
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const RECT client = ClientRect();
        SetPressed(PtInRect(&client, point));
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      SetHot(false);
      return 0;
    case WM_LBUTTONUP: {
      if (!tracking_) break;
      const bool clicked = pressed_;
      tracking_ = false;
      SetPressed(false);
      ReleaseCapture();
      if (clicked) Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      tracking_ = false;
      SetPressed(false);
      break;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    case WM_KEYDOWN:
      // Held down, Space repeats: only its first press counts.
      if (wParam == VK_SPACE && !spaceHeld_ && !tracking_ && Enabled()) {
        spaceHeld_ = true;
        SetPressed(true);
      }
      if (wParam == VK_SPACE) return 0;
      break;
    case WM_KEYUP:
      if (wParam != VK_SPACE) break;
      if (spaceHeld_) {
        spaceHeld_ = false;
        SetPressed(false);
        Click();
      }
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      spaceHeld_ = false;
      if (!tracking_) SetPressed(false);
      Invalidate();  // the focus rectangle
      break;
    case WM_SETTEXT:
    case WM_ENABLE: {
      const LRESULT result = TCustomControl::WndProc(msg, wParam, lParam);
      if (msg == WM_ENABLE && !wParam) {
        hot_ = false;
        pressed_ = false;
        spaceHeld_ = false;
      }
      Invalidate();
      return result;
    }
  }
  return TCustomControl::WndProc(msg, wParam, lParam);
}

std::wstring TSpeedButton::AccessibleName() const {
  std::wstring name = TCustomControl::AccessibleName();
  if (name.empty() && Caption().empty()) name = Hint();
  return name;
}
