#include "toolkit/Bevel.h"

#include <utility>
#include <vector>

#include "toolkit/Painting.h"

namespace {

// The parts of the client area the shape draws on, each two pixels thick.
std::vector<RECT> LineRects(TBevelShape shape, const RECT& r) {
  switch (shape) {
    case TBevelShape::Box:
    case TBevelShape::Frame:
      return {{r.left, r.top, r.right, r.top + 2}, {r.left, r.bottom - 2, r.right, r.bottom},
              {r.left, r.top, r.left + 2, r.bottom}, {r.right - 2, r.top, r.right, r.bottom}};
    case TBevelShape::TopLine: return {{r.left, r.top, r.right, r.top + 2}};
    case TBevelShape::BottomLine: return {{r.left, r.bottom - 2, r.right, r.bottom}};
    case TBevelShape::LeftLine: return {{r.left, r.top, r.left + 2, r.bottom}};
    case TBevelShape::RightLine: return {{r.right - 2, r.top, r.right, r.bottom}};
    case TBevelShape::Spacer: return {};
  }
  return {};
}

void HLine(HDC dc, int left, int right, int y, COLORREF colour) { FillColor(dc, {left, y, right, y + 1}, colour); }
void VLine(HDC dc, int x, int top, int bottom, COLORREF colour) { FillColor(dc, {x, top, x + 1, bottom}, colour); }

}  // namespace

TBevel::TBevel(TControl& parent, const TControlArgs& args, TBevelShape shape, TBevelStyle style)
    : TCustomControl(parent, args), shape_(shape), style_(style) {
  UpdateRegion();
}

void TBevel::SetShape(TBevelShape shape) {
  if (shape == shape_) return;
  shape_ = shape;
  UpdateRegion();
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
  if (style == style_) return;
  style_ = style;
  Invalidate();
}

void TBevel::UpdateRegion() {
  if (!Handle()) return;
  // Window regions are in window coordinates: a bevel has no non-client area.
  TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  for (const RECT& line : LineRects(shape_, ClientRect())) {
    const TGdiObject<HRGN> part(CreateRectRgnIndirect(&line));
    CombineRgn(region.Get(), region.Get(), part.Get(), RGN_OR);
  }
  if (SetWindowRgn(Handle(), region.Get(), TRUE)) region.Release();  // the window owns it once set
}

void TBevel::Paint(HDC dc, const RECT& clip) {
  // What shows through outside the lines, for callers that print the window.
  PaintParentBackground(Handle(), dc, clip);
  const RECT r = ClientRect();
  COLORREF first = GetSysColor(COLOR_BTNSHADOW), second = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (style_ == TBevelStyle::Raised) std::swap(first, second);
  switch (shape_) {
    case TBevelShape::Box: {
      RECT box = r;
      Frame3D(dc, box, first, second, 1);
      break;
    }
    case TBevelShape::Frame: {
      // An etched frame: the first colour's rectangle, the second's one pixel in and down.
      RECT outer{r.left, r.top, r.right - 1, r.bottom - 1};
      Frame3D(dc, outer, first, first, 1);
      RECT inner{r.left + 1, r.top + 1, r.right, r.bottom};
      Frame3D(dc, inner, second, second, 1);
      break;
    }
    case TBevelShape::TopLine:
      HLine(dc, r.left, r.right, r.top, first);
      HLine(dc, r.left, r.right, r.top + 1, second);
      break;
    case TBevelShape::BottomLine:
      HLine(dc, r.left, r.right, r.bottom - 2, first);
      HLine(dc, r.left, r.right, r.bottom - 1, second);
      break;
    case TBevelShape::LeftLine:
      VLine(dc, r.left, r.top, r.bottom, first);
      VLine(dc, r.left + 1, r.top, r.bottom, second);
      break;
    case TBevelShape::RightLine:
      VLine(dc, r.right - 2, r.top, r.bottom, first);
      VLine(dc, r.right - 1, r.top, r.bottom, second);
      break;
    case TBevelShape::Spacer:
      break;
  }
}

LRESULT TBevel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      UpdateRegion();
      break;
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // a shape, not a control: clicks go to what lies beneath
  }
  return TCustomControl::WndProc(msg, wParam, lParam);
}
