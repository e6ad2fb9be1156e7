#include "toolkit/ButtonGlyph.h"

namespace {

SIZE TextSize(HDC dc, const std::wstring& caption) {
  if (caption.empty()) return {0, 0};
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_SINGLELINE | DT_CALCRECT);
  return {rect.right, rect.bottom};
}

// Where the glyph's top-left corner and the text's rectangle go.
void Place(const RECT& rect, SIZE glyph, SIZE text, const TGlyphLayout& layout, POINT& glyphAt, RECT& textAt) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const bool horizontal = layout.layout == TButtonLayout::GlyphLeft || layout.layout == TButtonLayout::GlyphRight;
  const int spacing = (glyph.cx > 0 && text.cx > 0) ? layout.spacing : 0;
  const int total = horizontal ? glyph.cx + spacing + text.cx : glyph.cy + spacing + text.cy;
  const int room = horizontal ? width : height;
  const int margin = layout.margin >= 0 ? layout.margin : (room - total) / 2;
  int glyphPos = 0, textPos = 0;  // along the main axis, from the glyph's side
  switch (layout.layout) {
    case TButtonLayout::GlyphLeft:
    case TButtonLayout::GlyphTop:
      glyphPos = margin;
      textPos = margin + (horizontal ? glyph.cx : glyph.cy) + spacing;
      break;
    case TButtonLayout::GlyphRight:
      glyphPos = width - margin - glyph.cx;
      textPos = glyphPos - spacing - text.cx;
      break;
    case TButtonLayout::GlyphBottom:
      glyphPos = height - margin - glyph.cy;
      textPos = glyphPos - spacing - text.cy;
      break;
  }
  if (horizontal) {
    glyphAt = {rect.left + glyphPos, rect.top + (height - glyph.cy) / 2};
    textAt = {rect.left + textPos, rect.top + (height - text.cy) / 2, 0, 0};
  } else {
    glyphAt = {rect.left + (width - glyph.cx) / 2, rect.top + glyphPos};
    textAt = {rect.left + (width - text.cx) / 2, rect.top + textPos, 0, 0};
  }
  textAt.right = textAt.left + text.cx;
  textAt.bottom = textAt.top + text.cy;
}

void DrawCaption(HDC dc, const std::wstring& caption, RECT rect, bool enabled) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_SINGLELINE | DT_CENTER | DT_VCENTER;
  if (!enabled) {
    // The platform's disabled text: highlight one pixel down-right, shadow in place.
    const COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shifted = rect;
    OffsetRect(&shifted, 1, 1);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &shifted, format);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format);
    SetTextColor(dc, old);
  } else {
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, format);
  }
  SetBkMode(dc, oldMode);
}

}  // namespace

void DrawGlyphAndCaption(HDC dc, const RECT& rect, const TPicture& glyph, const std::wstring& caption,
                         const TGlyphLayout& layout, bool enabled) {
  const SIZE glyphSize{glyph.Width(), glyph.Height()};
  POINT glyphAt{};
  RECT textAt{};
  Place(rect, glyphSize, TextSize(dc, caption), layout, glyphAt, textAt);
  if (!glyph.Empty()) {
    if (enabled)
      glyph.Draw(dc, glyphAt.x, glyphAt.y, true);
    else
      glyph.DrawDisabled(dc, glyphAt.x, glyphAt.y);
  }
  if (!caption.empty()) DrawCaption(dc, caption, textAt, enabled);
}
