#include "pages/PageLayout.h"

#include <algorithm>

#include "toolkit/Painting.h"

SIZE CaptionSize(const TControl& control, const std::wstring& text) {
  SIZE size{0, 0};
  {
    const TWindowDC dc(control.Handle());
    const TDCSelect font(dc.Get(), control.Font() ? control.Font()->Handle() : nullptr);
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  }
  // A little room so that the underline and the last glyph's overhang show.
  size.cx = std::max<LONG>(size.cx + 2, 1);
  size.cy = std::max<LONG>(size.cy + 1, 12);
  return size;
}

TControlArgs CaptionArgs(const TControl& sizer, const wchar_t* name, int left, int top,
                         const wchar_t* text) {
  const SIZE size = CaptionSize(sizer, text);
  return {.name = name, .left = left, .top = top, .width = size.cx, .height = size.cy, .caption = text};
}
