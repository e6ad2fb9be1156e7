#include "toolkit/Label.h"

#include "toolkit/Exception.h"

TLabel::TLabel(TControl& parent, const TControlArgs& args, TAlignment alignment, bool wordWrap)
    : TControl(parent, args), alignment_(alignment), wordWrap_(wordWrap) {
  CreateStandardChild(args, L"STATIC", SS_OWNERDRAW | SS_NOPREFIX);
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == wordWrap_) return;
  wordWrap_ = wordWrap;
  Invalidate();
}

UINT TLabel::TextFormat() const {
  UINT format = DT_NOPREFIX | DT_EXPANDTABS | DT_TOP;
  // Each line that is too long for the label ends in an ellipsis, not in half a letter.
  format |= wordWrap_ ? DT_WORDBREAK : DT_END_ELLIPSIS;
  switch (alignment_) {
    case TAlignment::Left: format |= DT_LEFT; break;
    case TAlignment::Center: format |= DT_CENTER; break;
    case TAlignment::Right: format |= DT_RIGHT; break;
  }
  return format;
}

void TLabel::PaintBackground(HDC dc, const RECT& rect) {
  HWND parent = GetParent(Handle());
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(Handle())));
  if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &rect, brush);
}

void TLabel::PaintText(HDC dc, const RECT& rect) {
  std::wstring text = Caption();
  if (text.empty()) return;
  RECT area = rect;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = Enabled() ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, TextFormat());
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

std::optional<LRESULT> TLabel::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const HGDIOBJ oldFont = Font() ? SelectObject(item.hDC, Font()->Handle()) : nullptr;
    PaintBackground(item.hDC, item.rcItem);
    PaintText(item.hDC, item.rcItem);
    if (oldFont) SelectObject(item.hDC, oldFont);
    return TRUE;
  }
  return TControl::Reflected(msg, wParam, lParam);
}

LRESULT TLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // An owner-drawn static does not repaint itself when its text or state changes.
  if (msg == WM_SETTEXT || msg == WM_ENABLE) {
    const LRESULT result = TControl::WndProc(msg, wParam, lParam);
    Invalidate();
    return result;
  }
  return TControl::WndProc(msg, wParam, lParam);
}

namespace {

TControlArgs HiddenLabelArgs(const TControl& field, const std::wstring& name) {
  return {.name = field.Name() + L"Name", .caption = name, .visible = false, .id = TFieldName::kStaticId};
}

TControl& ParentOf(const TControl& field) {
  if (!field.Parent()) throw EError(L"The field " + field.Name() + L" has no parent to hold its name");
  return *field.Parent();
}

}  // namespace

TFieldName::TFieldName(TControl& field, const std::wstring& name)
    : TLabel(ParentOf(field), HiddenLabelArgs(field, name)) {
  SetFocusControl(field);
}
