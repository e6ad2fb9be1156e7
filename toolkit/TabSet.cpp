#include "toolkit/TabSet.h"

#include <algorithm>

#include "toolkit/Exception.h"
#include "toolkit/Painting.h"

namespace {

constexpr int kSlope = 6;     // how far a tab's side slants inwards from top to bottom
constexpr int kPadding = 6;   // between a side's foot and the text

POINT Corner(int x, int y) { return POINT{x, y}; }

}  // namespace

TTabSet::TTabSet(TControl& parent, const TControlArgs& args, const TTabSetOptions& options)
    : TCustomControl(parent, args),
      options_(options),
      selectedColor_(GetSysColor(COLOR_BTNFACE)),
      unselectedColor_(GetSysColor(COLOR_WINDOW)) {}

void TTabSet::SetTabs(std::vector<std::wstring> tabs) {
  tabs_ = std::move(tabs);
  if (tabIndex_ >= static_cast<int>(tabs_.size())) tabIndex_ = -1;
  Invalidate();
}

void TTabSet::SetTabIndex(int index) {
  if (index < -1 || index >= static_cast<int>(tabs_.size()))
    throw EError(L"Tab index out of bounds (" + std::to_wstring(index) + L") in " + Name());
  if (index == tabIndex_) return;
  tabIndex_ = index;
  Invalidate();
}

void TTabSet::SetStartMargin(int margin) {
  options_.startMargin = margin;
  Invalidate();
}

void TTabSet::SetEndMargin(int margin) {
  options_.endMargin = margin;
  Invalidate();
}

void TTabSet::SetSoftTop(bool softTop) {
  options_.softTop = softTop;
  Invalidate();
}

void TTabSet::SetDitherBackground(bool dither) {
  options_.ditherBackground = dither;
  Invalidate();
}

void TTabSet::SetSelectedColor(COLORREF colour) {
  selectedColor_ = colour;
  Invalidate();
}

void TTabSet::SetUnselectedColor(COLORREF colour) {
  unselectedColor_ = colour;
  Invalidate();
}

std::vector<int> TTabSet::TabWidths() const {
  std::vector<int> widths;
  const TWindowDC dc(Handle());
  const TDCSelect font(dc.Get(), Font() ? Font()->Handle() : nullptr);
  for (const auto& tab : tabs_) {
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), tab.c_str(), static_cast<int>(tab.size()), &size);
    widths.push_back(size.cx + 2 * (kSlope + kPadding));
  }
  return widths;
}

RECT TTabSet::TabRect(int index) const {
  if (index < 0 || index >= static_cast<int>(tabs_.size())) return {};
  const std::vector<int> widths = TabWidths();
  int left = options_.startMargin;
  // Neighbours share the slanted strip between them.
  for (int i = 0; i < index; ++i) left += widths[i] - kSlope;
  return {left, 0, left + widths[index], ClientHeight()};
}

int TTabSet::TabAtPos(POINT point) const {
  RECT client = ClientRect();
  client.right -= options_.endMargin;
  if (!PtInRect(&client, point)) return -1;
  const std::vector<int> widths = TabWidths();
  int left = options_.startMargin;
  for (int i = 0; i < static_cast<int>(widths.size()); ++i) {
    const int right = left + widths[i];
    const int ownLeft = i == 0 ? left : left + kSlope / 2;
    const int ownRight = i + 1 == static_cast<int>(widths.size()) ? right : right - kSlope / 2;
    if (point.x >= ownLeft && point.x < ownRight) return i;
    left = right - kSlope;
  }
  return -1;
}

void TTabSet::PaintTab(HDC dc, int index, bool selected) {
  const RECT rect = TabRect(index);
  const int bottom = rect.bottom - 2;
  const POINT shape[] = {Corner(rect.left, 0), Corner(rect.left + kSlope, bottom),
                         Corner(rect.right - 1 - kSlope, bottom), Corner(rect.right - 1, 0)};
  {
    const TGdiObject<HBRUSH> brush(CreateSolidBrush(selected ? selectedColor_ : unselectedColor_));
    const TGdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME)));
    TDCSelect selectBrush(dc, brush.Get()), selectPen(dc, outline.Get());
    Polygon(dc, shape, 4);
  }
  if (selected) {
    // Open at the top: the selected tab continues the area above it.
    FillColor(dc, {rect.left + 1, 0, rect.right - 1, 1}, selectedColor_);
    if (options_.softTop) {
      const TGdiObject<HPEN> light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
      TDCSelect selectPen(dc, light.Get());
      MoveToEx(dc, rect.left + 1, 1, nullptr);
      LineTo(dc, rect.left + kSlope, bottom);
    }
  }
  RECT text{rect.left + kSlope, 1, rect.right - kSlope, bottom};
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  const std::wstring& caption = tabs_[index];
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

void TTabSet::Paint(HDC dc, const RECT& clip) {
  const RECT client = ClientRect();
  if (options_.ditherBackground) {
    TDitherBrush dither;
    FillRect(dc, &clip, dither.Handle());
  } else {
    FillColor(dc, clip, Color());
  }
  // The top edge: the bottom line of the area the tabs belong to.
  FillColor(dc, {client.left, 0, client.right, 1},
            GetSysColor(options_.softTop ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME));
  // Tabs that run into the end margin are cut there.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 0, 0, client.right - options_.endMargin, client.bottom);
  // Right to left, so each tab's left side lies over its left neighbour's right side.
  for (int i = static_cast<int>(tabs_.size()) - 1; i >= 0; --i)
    if (i != tabIndex_) PaintTab(dc, i, false);
  if (tabIndex_ >= 0) PaintTab(dc, tabIndex_, true);
  RestoreDC(dc, saved);
}

void TTabSet::SelectByUser(int index) {
  if (index < 0 || index == tabIndex_ || !Enabled()) return;
  bool allow = true;
  if (OnChange) OnChange(*this, index, allow);
  if (!allow) return;
  tabIndex_ = index;
  Invalidate();
  Fire(OnClick, *this);
}

LRESULT TTabSet::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SelectByUser(TabAtPos({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}));
      return 0;
    case WM_ENABLE: {
      const LRESULT result = TCustomControl::WndProc(msg, wParam, lParam);
      Invalidate();
      return result;
    }
  }
  return TCustomControl::WndProc(msg, wParam, lParam);
}

int TabAfterKey(const TTabSet& tabs, WPARAM key) {
  const int count = static_cast<int>(tabs.Tabs().size());
  if (GetKeyState(VK_CONTROL) >= 0 || count < 2) return -1;
  int step = 0;
  if (key == VK_TAB) step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
  if (key == VK_NEXT) step = 1;
  if (key == VK_PRIOR) step = -1;
  if (step == 0) return -1;
  return (std::max(tabs.TabIndex(), 0) + step + count) % count;
}
