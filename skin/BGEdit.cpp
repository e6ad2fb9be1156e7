#include "skin/BGEdit.h"

#include <string>

#include "toolkit/Painting.h"

TBGEdit::TBGEdit(TControl& parent, const TControlArgs& args, const TEditOptions& options)
    : TBase(parent, args, options) {}

void TBGEdit::RefreshBackground() { Cut(); }

void TBGEdit::PaintFace(HDC dc) {
  TBase::PaintFace(dc);
  // Only an edit at rest that shows the start of a text in the clear: a scrolled edit
  // shows what the user scrolled to, a masked one shows no text.
  const bool multiLine = GetWindowLongW(Handle(), GWL_STYLE) & ES_MULTILINE;
  if (Focused() || multiLine || PasswordChar() || SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0) != 0)
    return;
  const std::wstring text = Text();
  RECT area{};
  SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  const LRESULT origin = SendMessageW(Handle(), EM_POSFROMCHAR, 0, 0);
  area.left = static_cast<short>(LOWORD(origin));
  const HGDIOBJ oldFont = Font() ? SelectObject(dc, Font()->Handle()) : nullptr;
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  if (!text.empty() && size.cx > area.right - area.left) {
    // The text again over the edit's own colour, which the composition replaces with
    // the picture, in the colour the edit writes it.
    FillColor(dc, area, Color());
    area.top = static_cast<short>(HIWORD(origin));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? FontColor() : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (oldFont) SelectObject(dc, oldFont);
}

