#include "skin/BGListBox.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "toolkit/Painting.h"

TBGListBox::TBGListBox(TControl& parent, const TControlArgs& args, const TListBoxOptions& options)
    : TBGControl<TListBox>(parent, args, options) {}

bool TBGListBox::Swept(int index, int current) const {
  if (anchorItem_ < 0 || current < 0) return false;
  if (current >= anchorItem_) return index > anchorItem_ && index <= current;
  return index < anchorItem_ && index >= current;
}

bool TBGListBox::FullyVisible(const RECT& rect) const {
  return !IsRectEmpty(&rect) && rect.top >= 0 && rect.bottom <= ClientHeight();
}

void TBGListBox::PaintSelection(HDC dc, int index, const RECT& rect) {
  FillColor(dc, rect, GetSysColor(COLOR_HIGHLIGHT));
  // The index is known to be valid: the text in two requests, not Item()'s three.
  const auto length = SendMessageW(Handle(), LB_GETTEXTLEN, index, 0);
  if (length <= 0) return;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(std::min(copied, length)) : 0);
  TDCSelect font(dc, Font() ? Font()->Handle() : nullptr);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, RGB(255, 255, 255));
  TextOutW(dc, rect.left + 2, rect.top, text.c_str(), static_cast<int>(text.size()));
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

// Each request to the list costs a trip through the subclassed window procedure (a
// window-property look-up in the server under Wine), and painting runs often: the
// selection comes in one request and the entries' rectangles are worked out here
// (every entry has the list's one item height).
void TBGListBox::PaintMultiSelection(HDC dc) {
  const auto count = SendMessageW(Handle(), LB_GETCOUNT, 0, 0);
  if (count <= 0) return;
  const int current = static_cast<int>(SendMessageW(Handle(), LB_GETCARETINDEX, 0, 0));
  std::vector<int> selected(static_cast<size_t>(count));
  selected.resize(static_cast<size_t>(std::max<LRESULT>(
      0, SendMessageW(Handle(), LB_GETSELITEMS, selected.size(), reinterpret_cast<LPARAM>(selected.data())))));
  const int height = std::max(1, ItemHeight());
  const int first = TopIndex();
  const RECT client = ClientRect();
  const int last = std::min(static_cast<int>(count) - 1, first + static_cast<int>(client.bottom) / height);
  for (int index = first; index <= last; ++index) {
    if (!std::binary_search(selected.begin(), selected.end(), index) && !Swept(index, current)) continue;
    const int top = (index - first) * height;
    const RECT rect{0, top, client.right, top + height};
    if (FullyVisible(rect)) PaintSelection(dc, index, rect);
  }
  // The rectangle is an inversion: one request at a time, or two would cancel out.
  if (current >= 0 && hasFocus_ && !focusPending_ &&
      PostMessageW(Handle(), kDrawFocusMessage, static_cast<WPARAM>(current), 0))
    focusPending_ = true;
}

void TBGListBox::AskReselect() {
  if (reselectPending_) return;
  const int selected = ItemIndex();
  if (selected >= 0 && FullyVisible(ItemRect(selected)) &&
      PostMessageW(Handle(), kReselectMessage, static_cast<WPARAM>(selected), 0))
    reselectPending_ = true;
}

void TBGListBox::PaintOverFace(HDC dc) {
  if (MultiSelect())
    PaintMultiSelection(dc);
  else
    AskReselect();
}

LRESULT TBGListBox::Mouse(UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = TBGControl<TListBox>::WndProc(msg, wParam, lParam);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      lastItem_ = anchorItem_ = ItemIndex();
      Invalidate();
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      anchorItem_ = -1;
      break;
    case WM_MOUSEMOVE:
      if ((wParam & MK_LBUTTON) && ItemAtPos(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != lastItem_) {
        lastItem_ = ItemIndex();
        Invalidate();
      }
      break;
  }
  return result;
}

LRESULT TBGListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kDrawFocusMessage:
      focusPending_ = false;
      break;
    case kReselectMessage:
      reselectPending_ = false;
      if (static_cast<int>(wParam) == ItemIndex() && !MultiSelect())
        SendMessageW(Handle(), LB_SETCURSEL, wParam, 0);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
      return Mouse(msg, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // Kept here: asking the system for the focus on every paint is slow.
      hasFocus_ = msg == WM_SETFOCUS;
      break;
    case WM_KEYDOWN: {
      const LRESULT result = TBGControl<TListBox>::WndProc(msg, wParam, lParam);
      Invalidate();
      return result;
    }
    case LB_SETTOPINDEX:
      if (Skinned()) {
        TScrollHider hidden(Handle());
        return TBGControl<TListBox>::WndProc(msg, wParam, lParam);
      }
      break;
    default:
      if (Skinned() && IsScrollRequest(msg)) {
        TScrollHider hidden(Handle());
        return TBGControl<TListBox>::WndProc(msg, wParam, lParam);
      }
  }
  return TBGControl<TListBox>::WndProc(msg, wParam, lParam);
}
