#include "BGListBox.h"

#include <windowsx.h>

#include <algorithm>

#include "Painting.h"

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
  const std::wstring text = Item(index);
  TDCSelect font(dc, Font() ? Font()->Handle() : nullptr);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, RGB(255, 255, 255));
  TextOutW(dc, rect.left + 2, rect.top, text.c_str(), static_cast<int>(text.size()));
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

void TBGListBox::PaintMultiSelection(HDC dc) {
  const int current = ItemIndex();
  const int height = std::max(1, ItemHeight());
  const int first = TopIndex();
  const int last = std::min(Count() - 1, first + ClientHeight() / height + 1);
  for (int index = first; index <= last; ++index) {
    if (!Selected(index) && !Swept(index, current)) continue;
    const RECT rect = ItemRect(index);
    if (FullyVisible(rect)) PaintSelection(dc, index, rect);
  }
  // The rectangle is an inversion: one request at a time, or two would cancel out.
  if (current >= 0 && Focused() && !focusPending_ &&
      PostMessageW(Handle(), kDrawFocusMessage, static_cast<WPARAM>(current), 0))
    focusPending_ = true;
}

void TBGListBox::AskReselect() {
  const int selected = ItemIndex();
  if (selected >= 0 && FullyVisible(ItemRect(selected)))
    PostMessageW(Handle(), kReselectMessage, static_cast<WPARAM>(selected), 0);
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
