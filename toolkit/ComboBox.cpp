#include "toolkit/ComboBox.h"

#include <algorithm>

#include "toolkit/Exception.h"

namespace {

DWORD ComboStyle(const TComboBoxOptions& options) {
  DWORD style = CBS_AUTOHSCROLL | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
  style |= options.style == TComboStyle::DropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
  if (options.sorted) style |= CBS_SORT;
  return style;
}

// The window of a combo box is as high as its closed field; the height asked for at
// creation or in SetWindowPos is the field and the dropped list together.
TControlArgs WithList(TControlArgs args, int listHeight) {
  args.height += listHeight;
  return args;
}

constexpr int kDefaultListEntry = 16;  // the list's entry height before the font is known

}  // namespace

TComboBox::TComboBox(TControl& parent, const TControlArgs& args, const TComboBoxOptions& options)
    : TStdControl(parent, args, GetSysColor(COLOR_WINDOW)),
      style_(options.style),
      dropDownCount_(std::max(options.dropDownCount, 1)),
      fieldHeight_(args.height) {
  if (options.itemHeight < 0) throw EError(L"The item height of " + Name() + L" cannot be negative");
  CreateStandardChild(WithList(args, dropDownCount_ * std::max(options.itemHeight, kDefaultListEntry) + 2),
                      L"COMBOBOX", ComboStyle(options));
  if (options.itemHeight) SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, options.itemHeight);
  FitFieldHeight();
}

int TComboBox::ListHeight() const {
  const auto entry = SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0);
  return dropDownCount_ * static_cast<int>(entry > 0 ? entry : kDefaultListEntry) + 2;
}

// The closed field is as high as the selection field's item height plus a frame the
// platform decides; the item height is adjusted until the field has the height the
// page asked for (twice at most: the relation is linear). Then the window is sized to
// the field and the dropped list together, which the combo box splits again.
void TComboBox::FitFieldHeight() {
  TFlagScope own(ownResize_);
  if (fieldHeight_ > 0) {
    auto item = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 3; ++attempt) {
      RECT rect{};
      GetWindowRect(Handle(), &rect);
      const int difference = fieldHeight_ - (rect.bottom - rect.top);
      if (difference == 0) break;
      item = std::max(item + difference, 1);
      SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
    }
  }
  RECT rect{};
  GetWindowRect(Handle(), &rect);
  SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, (rect.bottom - rect.top) + ListHeight(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::CheckIndex(int index, bool allowEnd) const {
  const int count = Count();
  if (index < 0 || index > count || (index == count && !allowEnd))
    throw EError(L"List index out of bounds (" + std::to_wstring(index) + L") in " + Name());
}

int TComboBox::Count() const {
  return Handle() ? static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)) : 0;
}

std::wstring TComboBox::Item(int index) const {
  CheckIndex(index);
  const auto length = SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied = SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

std::vector<std::wstring> TComboBox::Items() const {
  std::vector<std::wstring> items;
  const int count = Count();
  items.reserve(count);
  for (int i = 0; i < count; ++i) items.push_back(Item(i));
  return items;
}

void TComboBox::SetItems(const std::vector<std::wstring>& items) {
  TFlagScope quiet(quiet_);
  if (Handle() && items == Items()) {
    SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);  // kept: only the choice goes
  } else {
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    for (const auto& item : items) SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  if (style_ == TComboStyle::DropDown) SetWindowTextW(Handle(), L"");
}

int TComboBox::AddItem(const std::wstring& text) {
  TFlagScope quiet(quiet_);
  const auto index = SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) throw EError(L"Cannot add to the list " + Name());
  return static_cast<int>(index);
}

void TComboBox::InsertItem(int index, const std::wstring& text) {
  CheckIndex(index, true);
  TFlagScope quiet(quiet_);
  if (SendMessageW(Handle(), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str())) < 0)
    throw EError(L"Cannot add to the list " + Name());
}

void TComboBox::DeleteItem(int index) {
  CheckIndex(index);
  TFlagScope quiet(quiet_);
  SendMessageW(Handle(), CB_DELETESTRING, index, 0);
}

void TComboBox::Clear() {
  TFlagScope quiet(quiet_);
  if (Handle()) SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
}

int TComboBox::IndexOf(const std::wstring& text) const {
  // CB_FINDSTRINGEXACT ignores case.
  const int count = Count();
  for (int i = 0; i < count; ++i)
    if (Item(i) == text) return i;
  return -1;
}

int TComboBox::ItemIndex() const {
  if (!Handle()) return -1;
  const auto index = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void TComboBox::SetItemIndex(int index) {
  if (!Handle()) return;
  TFlagScope quiet(quiet_);
  SendMessageW(Handle(), CB_SETCURSEL, index >= 0 && index < Count() ? index : -1, 0);
}

void TComboBox::SetText(const std::wstring& text) {
  if (!Handle()) return;
  if (style_ == TComboStyle::DropDownList) return SetItemIndex(IndexOf(text));
  TFlagScope quiet(quiet_);
  SetWindowTextW(Handle(), text.c_str());
}

void TComboBox::SetDropDownCount(int count) {
  if (count < 1) throw EError(L"A drop-down list shows one entry at least");
  dropDownCount_ = count;
  FitFieldHeight();
}

bool TComboBox::DroppedDown() const {
  return Handle() && SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0);
}

void TComboBox::SetDroppedDown(bool dropped) {
  if (Handle()) SendMessageW(Handle(), CB_SHOWDROPDOWN, dropped, 0);
}

// An editable box hands the focus on to its edit field at once, and the platform
// notifies a loss and a gain of focus on the way: only a move into or out of the
// whole box counts. The focus has already moved when the notification comes.
void TComboBox::FocusMoved() {
  HWND focus = GetFocus();
  const bool inside = focus && (focus == Handle() || IsOwnPart(focus));
  if (inside == hasFocus_) return;
  hasFocus_ = inside;
  Fire(inside ? OnEnter : OnExit, *this);
}

bool TComboBox::IsOwnPart(HWND window) const {
  COMBOBOXINFO info{sizeof info};
  return window && GetComboBoxInfo(Handle(), &info) && (window == info.hwndItem || window == info.hwndList);
}

std::optional<LRESULT> TComboBox::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    if (HIWORD(wParam) == CBN_SETFOCUS || HIWORD(wParam) == CBN_KILLFOCUS) FocusMoved();
    if (quiet_) return 0;
    switch (HIWORD(wParam)) {
      case CBN_SELCHANGE:
        Fire(OnSelect, *this);
        Fire(OnChange, *this);
        break;
      case CBN_EDITCHANGE:
        Fire(OnChange, *this);
        break;
    }
    return 0;
  }
  return TStdControl::Reflected(msg, wParam, lParam);
}

LRESULT TComboBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // OnEnter and OnExit come from the notifications, not from the focus messages.
      return TControl::WndProc(msg, wParam, lParam);  // NOLINT(bugprone-parent-virtual-call)
    case WM_WINDOWPOSCHANGING: {
      // The combo box takes a height above its field's as the dropped list's new
      // height. Heights from outside are closed heights: never let them reach it.
      auto& pos = *reinterpret_cast<WINDOWPOS*>(lParam);
      if (!ownResize_ && !(pos.flags & SWP_NOSIZE)) pos.cy = std::min(pos.cy, Height());
      break;
    }
    case WM_SETFONT: {
      LRESULT result = 0;
      {
        TFlagScope own(ownResize_);
        result = TStdControl::WndProc(msg, wParam, lParam);
      }
      FitFieldHeight();  // a new font gives the field a new height
      return result;
    }
    default:
      // The edit field and the dropped list ask their parent, the combo box, for
      // their colours; answer with the box's own.
      if (IsCtlColorMessage(msg) && IsOwnPart(reinterpret_cast<HWND>(lParam)))
        return reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(wParam)));
  }
  return TStdControl::WndProc(msg, wParam, lParam);
}
