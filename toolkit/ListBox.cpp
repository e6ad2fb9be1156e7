#include "toolkit/ListBox.h"

#include <algorithm>
#include <cwctype>

#include "toolkit/Exception.h"
#include "toolkit/Painting.h"

namespace {

DWORD ListStyle(const TListBoxOptions& options) {
  DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
  if (options.multiSelect) style |= LBS_EXTENDEDSEL;
  if (options.ownerDraw) style |= LBS_OWNERDRAWFIXED;
  if (options.sorted) style |= LBS_SORT;
  return style;
}

}  // namespace

TListBox::TListBox(TControl& parent, const TControlArgs& args, const TListBoxOptions& options)
    : TStdControl(parent, args, GetSysColor(COLOR_WINDOW)), itemHeight_(options.itemHeight) {
  if (options.itemHeight < 0) throw EError(L"The item height of " + Name() + L" cannot be negative");
  CreateStandardChild(args, L"LISTBOX", ListStyle(options), BorderExStyle(options.border));
  // The list measured its entries before it had its font.
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_ ? itemHeight_ : FontItemHeight());
}

int TListBox::FontItemHeight() const {
  const TWindowDC dc(Handle());
  const TDCSelect font(dc.Get(), Font() ? Font()->Handle() : nullptr);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  return metrics.tmHeight;
}

void TListBox::CheckIndex(int index, bool allowEnd) const {
  const int count = Count();
  if (index < 0 || index > count || (index == count && !allowEnd))
    throw EError(L"List index out of bounds (" + std::to_wstring(index) + L") in " + Name());
}

int TListBox::Count() const {
  return Handle() ? static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)) : 0;
}

std::wstring TListBox::Item(int index) const {
  CheckIndex(index);
  const auto length = SendMessageW(Handle(), LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

std::vector<std::wstring> TListBox::Items() const {
  std::vector<std::wstring> items;
  const int count = Count();
  items.reserve(count);
  for (int i = 0; i < count; ++i) items.push_back(Item(i));
  return items;
}

void TListBox::SetItems(const std::vector<std::wstring>& items) {
  if (Handle() && items == Items()) {
    // Kept as they are, left as a refill leaves them: a refill of a shown list would
    // repaint its frame twice, its scroll bar going and coming back.
    ClearSelection();
    SetTopIndex(0);
    if (MultiSelect()) SetItemIndex(0);
    return;
  }
  TFlagScope quiet(quiet_);
  TNoRedraw oneRepaint(*this);  // for the whole refill
  SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const auto& item : items) SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int TListBox::AddItem(const std::wstring& text) {
  TFlagScope quiet(quiet_);
  const auto index = SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) throw EError(L"Cannot add to the list " + Name());
  return static_cast<int>(index);
}

void TListBox::InsertItem(int index, const std::wstring& text) {
  CheckIndex(index, true);
  TFlagScope quiet(quiet_);
  if (SendMessageW(Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())) < 0)
    throw EError(L"Cannot add to the list " + Name());
}

void TListBox::SetItem(int index, const std::wstring& text) {
  CheckIndex(index);
  TFlagScope quiet(quiet_);
  const bool selected = Selected(index);
  const int caret = ItemIndex();
  SendMessageW(Handle(), LB_DELETESTRING, index, 0);
  SendMessageW(Handle(), LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
  if (selected) SetSelected(index, true);
  if (MultiSelect() && caret == index) SetItemIndex(index);
}

void TListBox::DeleteItem(int index) {
  CheckIndex(index);
  TFlagScope quiet(quiet_);
  SendMessageW(Handle(), LB_DELETESTRING, index, 0);
}

void TListBox::Clear() {
  TFlagScope quiet(quiet_);
  if (Handle()) SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
}

int TListBox::IndexOf(const std::wstring& text) const {
  // LB_FINDSTRINGEXACT ignores case.
  const int count = Count();
  for (int i = 0; i < count; ++i)
    if (Item(i) == text) return i;
  return -1;
}

bool TListBox::MultiSelect() const {
  return Handle() && (GetWindowLongW(Handle(), GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL));
}

int TListBox::ItemIndex() const {
  if (!Handle() || Count() == 0) return -1;
  const auto index = SendMessageW(Handle(), MultiSelect() ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void TListBox::SetItemIndex(int index) {
  if (!Handle()) return;
  TFlagScope quiet(quiet_);
  if (MultiSelect()) {
    if (index >= 0 && index < Count()) SendMessageW(Handle(), LB_SETCARETINDEX, index, FALSE);
    return;
  }
  SendMessageW(Handle(), LB_SETCURSEL, index >= 0 && index < Count() ? index : -1, 0);
}

bool TListBox::Selected(int index) const {
  CheckIndex(index);
  return SendMessageW(Handle(), LB_GETSEL, index, 0) > 0;
}

void TListBox::SetSelected(int index, bool selected) {
  CheckIndex(index);
  TFlagScope quiet(quiet_);
  if (MultiSelect()) {
    SendMessageW(Handle(), LB_SETSEL, selected, index);
  } else if (selected) {
    SendMessageW(Handle(), LB_SETCURSEL, index, 0);
  } else if (ItemIndex() == index) {
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

int TListBox::SelCount() const {
  if (!Handle()) return 0;
  if (MultiSelect()) return static_cast<int>(SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0));
  return ItemIndex() >= 0 ? 1 : 0;
}

void TListBox::ClearSelection() {
  if (!Handle()) return;
  TFlagScope quiet(quiet_);
  if (MultiSelect())
    SendMessageW(Handle(), LB_SETSEL, FALSE, -1);
  else
    SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void TListBox::SetSelection(const std::vector<int>& chosen) {
  if (!MultiSelect()) return;
  const int count = Count();
  std::vector<bool> wanted(static_cast<size_t>(count), false);
  for (int index : chosen)
    if (index >= 0 && index < count) wanted[static_cast<size_t>(index)] = true;
  TFlagScope quiet(quiet_);
  for (int i = 0; i < count; ++i) {
    const bool want = wanted[static_cast<size_t>(i)];
    if (Selected(i) != want) SendMessageW(Handle(), LB_SELITEMRANGE, want, MAKELPARAM(i, i));
  }
}

int TListBox::TopIndex() const {
  return Handle() ? static_cast<int>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0)) : 0;
}

void TListBox::SetTopIndex(int index) {
  // Scrolling to where the list stands would still redraw its scroll bar.
  if (Handle() && index >= 0 && index < Count() && index != TopIndex())
    SendMessageW(Handle(), LB_SETTOPINDEX, index, 0);
}

int TListBox::ItemHeight() const {
  return Handle() ? static_cast<int>(SendMessageW(Handle(), LB_GETITEMHEIGHT, 0, 0)) : 0;
}

void TListBox::SetItemHeight(int height) {
  if (height <= 0) throw EError(L"The item height of " + Name() + L" must be positive");
  itemHeight_ = height;
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, height);
  Invalidate();
}

RECT TListBox::ItemRect(int index) const {
  RECT rect{};
  if (Handle() && index >= 0 && index < Count())
    SendMessageW(Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

int TListBox::ItemAtPos(POINT point) const {
  const RECT client = ClientRect();
  const int height = ItemHeight();
  if (!PtInRect(&client, point) || height <= 0) return -1;
  // Every entry has the same height; LB_ITEMFROMPOINT would cut the index to 16 bits.
  const int index = TopIndex() + point.y / height;
  return index < Count() ? index : -1;
}

void TListBox::DrawFocusRect(int index) {
  RECT rect = ItemRect(index);
  if (IsRectEmpty(&rect)) return;
  ::DrawFocusRect(TWindowDC(Handle()).Get(), &rect);
}

void TListBox::DrawItem(HDC dc, int index, const RECT& rect, unsigned state) {
  const bool selected = state & odSelected;
  HBRUSH brush = selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : CtlColor(dc);
  FillRect(dc, &rect, brush);
  if (index >= 0 && index < Count()) {
    const std::wstring text = Item(index);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF colour = FontColor();
    if (selected) colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
    if (state & odDisabled) colour = GetSysColor(COLOR_GRAYTEXT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    RECT area = rect;
    area.left += 2;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
  }
  if (state & odFocused) ::DrawFocusRect(dc, &rect);
}

std::optional<LRESULT> TListBox::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wParam) == LBN_SELCHANGE && !quiet_) Fire(OnClick, *this);
      if (HIWORD(wParam) == LBN_DBLCLK && !quiet_) Fire(OnDblClick, *this);
      return 0;
    case WM_MEASUREITEM: {
      // Sent while the window is being created, before it has its font.
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (itemHeight_) item.itemHeight = itemHeight_;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      unsigned state = 0;
      if (item.itemState & ODS_SELECTED) state |= odSelected;
      if (item.itemState & ODS_FOCUS) state |= odFocused;
      if (item.itemState & ODS_DISABLED) state |= odDisabled;
      const int index = static_cast<int>(item.itemID);  // -1: the focus of an empty list
      const HGDIOBJ oldFont = Font() ? SelectObject(item.hDC, Font()->Handle()) : nullptr;
      if (OnDrawItem)
        OnDrawItem(*this, item.hDC, index, item.rcItem, state);
      else
        DrawItem(item.hDC, index, item.rcItem, state);
      if (oldFont) SelectObject(item.hDC, oldFont);
      return TRUE;
    }
  }
  return TStdControl::Reflected(msg, wParam, lParam);
}

void TListBox::MoveCaret(int index) {
  const int count = Count();
  if (count == 0) return;
  TFlagScope quiet(quiet_);
  SendMessageW(Handle(), LB_SETCARETINDEX, std::clamp(index, 0, count - 1), FALSE);
}

bool TListBox::MultiSelectKey(WPARAM key) {
  const int caret = std::max(ItemIndex(), 0);
  const int page = std::max(ClientHeight() / std::max(ItemHeight(), 1) - 1, 1);
  switch (key) {
    case VK_UP:
    case VK_LEFT: MoveCaret(caret - 1); return true;
    case VK_DOWN:
    case VK_RIGHT: MoveCaret(caret + 1); return true;
    case VK_PRIOR: MoveCaret(caret - page); return true;
    case VK_NEXT: MoveCaret(caret + page); return true;
    case VK_HOME: MoveCaret(0); return true;
    case VK_END: MoveCaret(Count() - 1); return true;
    case VK_SPACE: ChooseCaretEntry(GetKeyState(VK_CONTROL) < 0); return true;
  }
  return false;
}

// The next entry after the caret, round at the end, whose text (its indent left out)
// begins with the letter.
bool TListBox::MultiSelectChar(wchar_t c) {
  if (c == L' ') return true;  // Space was the key's
  if (c < L' ') return false;
  const int count = Count();
  const int caret = ItemIndex();  // -1 in an empty list, which has nothing to move to
  for (int step = 1; step <= count; ++step) {
    const int index = (caret + step) % count;
    const std::wstring text = Item(index);
    const size_t first = text.find_first_not_of(L' ');
    if (first != std::wstring::npos && std::towupper(text[first]) == std::towupper(c)) {
      MoveCaret(index);
      break;
    }
  }
  return true;
}

void TListBox::ChooseCaretEntry(bool toggle) {
  const int caret = ItemIndex();
  if (caret < 0) return;
  const bool wasChosen = Selected(caret);
  const int others = SelCount() - (wasChosen ? 1 : 0);
  {
    TFlagScope quiet(quiet_);
    if (toggle) {
      SetSelected(caret, !wasChosen);
    } else {
      ClearSelection();
      SetSelected(caret, true);
    }
    MoveCaret(caret);
  }
  keptOtherChoices_ = toggle || others == 0;
  struct TReset {
    bool& flag;
    ~TReset() { flag = false; }
  } reset{keptOtherChoices_};
  Fire(OnClick, *this);
}

LRESULT TListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kDrawFocusMessage:
      DrawFocusRect(static_cast<int>(wParam));
      return 0;
    // A multiple-selection list's own keys do not reach OnKeyDown and OnKeyPress.
    case WM_KEYDOWN:
      if (MultiSelect() && MultiSelectKey(wParam)) return 0;
      break;
    case WM_CHAR:
      if (MultiSelect() && MultiSelectChar(static_cast<wchar_t>(wParam))) return 0;
      break;
  }
  return TStdControl::WndProc(msg, wParam, lParam);
}
