#include "toolkit/BitBtn.h"

#include "toolkit/Painting.h"

TBitBtn::TBitBtn(TControl& parent, const TControlArgs& args, const TGlyphLayout& layout)
    : TButton(parent, args, BS_OWNERDRAW),
      layout_(layout),
      glyph_([this] { Invalidate(); }),
      color_(GetSysColor(COLOR_BTNFACE)),
      fontColor_(GetSysColor(COLOR_BTNTEXT)) {}

void TBitBtn::SetLayout(const TGlyphLayout& layout) {
  layout_ = layout;
  Invalidate();
}

void TBitBtn::SetColor(COLORREF color) {
  color_ = color;
  Invalidate();
}

void TBitBtn::SetFontColor(COLORREF color) {
  fontColor_ = color;
  Invalidate();
}

void TBitBtn::DrawFace(HDC dc, const RECT& rect, UINT state) {
  const bool held = state & ODS_SELECTED, focused = state & ODS_FOCUS;
  FillColor(dc, rect, color_);
  RECT frame = rect;
  if (focused) Frame3D(dc, frame, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME), 1);
  if (held)
    Frame3D(dc, frame, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW), 1);
  else
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT | BF_ADJUST);
  RECT content = frame;
  if (held) OffsetRect(&content, 1, 1);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, fontColor_);
  DrawGlyphAndCaption(dc, content, glyph_, Caption(), layout_, !(state & ODS_DISABLED));
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  if (focused) {
    InflateRect(&frame, -1, -1);
    ::DrawFocusRect(dc, &frame);
  }
}

std::optional<LRESULT> TBitBtn::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    TDCSelect font(item.hDC, Font() ? Font()->Handle() : nullptr);
    DrawFace(item.hDC, item.rcItem, item.itemState);
    return TRUE;
  }
  return TButton::Reflected(msg, wParam, lParam);
}
