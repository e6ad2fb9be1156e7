// The socket library's header must come before windows.h, which would bring its
// older version.
#include <winsock2.h>

#include "skin/BGIPEdit.h"

#include <algorithm>
#include <cstring>

#include "toolkit/Cursor.h"
#include "toolkit/Painting.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"
#include "toolkit/SystemLibrary.h"

namespace {

constexpr int kFields = 4;
constexpr int kMaxOctet = 255;

// The socket library's two conversions, loaded with the first address shown or read
// (the library, with what it brings, would otherwise load with the program). They
// need no connection, but the platform asks for the library to be started before any
// of its functions is used; once per process. Null functions when it cannot be had.
struct TAddressConversions {
  decltype(&inet_ntoa) toText = nullptr;
  decltype(&inet_addr) fromText = nullptr;
};

const TAddressConversions& AddressConversions() {
  static const TAddressConversions conversions = [] {
    const auto startup = SystemFunctionOf<decltype(WSAStartup)>(L"ws2_32.dll", "WSAStartup");
    WSADATA data{};
    if (!startup || startup(MAKEWORD(2, 2), &data) != 0) return TAddressConversions{};
    return TAddressConversions{SystemFunctionOf<decltype(inet_ntoa)>(L"ws2_32.dll", "inet_ntoa"),
                               SystemFunctionOf<decltype(inet_addr)>(L"ws2_32.dll", "inet_addr")};
  }();
  return conversions;
}

TControlArgs SizedArgs(TControlArgs args) {
  if (args.width <= 0) args.width = TBGIPEdit::kDefaultWidth;
  if (args.height <= 0) args.height = TBGIPEdit::kDefaultHeight;
  return args;
}

TControlArgs FieldArgs(int number, int height) {
  return {.name = L"Field" + std::to_wstring(number), .height = height, .caption = L"0",
          .tabOrder = number - 1};
}

TControlArgs DotArgs(int number, int height) {
  return {.name = L"Dot" + std::to_wstring(number), .width = TBGIPEdit::kDotWidth, .height = height,
          .caption = L"."};
}

// The client area of the single-bordered panel is 4 pixels lower than the control.
int FieldHeight(int controlHeight) { return std::max(controlHeight - 4, 0); }

}  // namespace

// ---- TIPMaskEdit ----

TIPMaskEdit::TIPMaskEdit(TControl& parent, const TControlArgs& args)
    : TBGEdit(parent, args,
              {.border = TBorderStyle::None, .alignment = TAlignment::Center, .maxLength = kMaxDigits}) {}

int TIPMaskEdit::Number() const {
  const std::wstring text = Text();
  if (!IsDigitText(text)) return 0;
  int value = 0;
  // Code may write any text; a long run of digits stays a large number, never wraps.
  for (wchar_t c : text) value = std::min(value * 10 + (c - L'0'), 1000000);
  return value;
}

void TIPMaskEdit::Change() {
  if (Number() > kMaxOctet) {
    // A change of its own, which moves on and passes the change on.
    SetText(std::to_wstring(kMaxOctet));
    SetSel(kMaxDigits, 0);
    return;
  }
  if (static_cast<int>(Text().size()) >= kMaxDigits) MoveFocus(TMove::Next);
  TBGEdit::Change();
}

bool TIPMaskEdit::AcceptChar(wchar_t c) {
  if (c == L' ') {
    MoveFocus(TMove::Next);
    return false;
  }
  if ((c >= L'0' && c <= L'9') || c == VK_BACK) return true;
  MessageBeep(MB_OK);
  return false;
}

void TIPMaskEdit::MoveFocus(TMove move) { Fire(OnMoveFocus, *this, move); }

LRESULT TIPMaskEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CHAR:
      if (!AcceptChar(static_cast<wchar_t>(wParam))) return 0;
      break;
    case WM_PASTE:
      // The context menu's paste does not come as typed characters.
      if (!ClipboardHoldsDigits(Handle())) {
        MessageBeep(MB_OK);
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN) {
        // Where the caret was before the key moved it.
        const int start = SelStart(), end = start + SelLength();
        const int length = static_cast<int>(Text().size());
        const LRESULT result = TBGEdit::WndProc(msg, wParam, lParam);
        const bool back = wParam == VK_LEFT || wParam == VK_UP;
        if (back && start == 0)
          MoveFocus(TMove::Previous);
        else if (!back && end == length)
          MoveFocus(TMove::Next);
        return result;
      }
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = TBGEdit::WndProc(msg, wParam, lParam);
      if (Handle() && Text().empty()) SetText(L"0");
      return result;
    }
  }
  return TBGEdit::WndProc(msg, wParam, lParam);
}

// ---- TBGIPEdit ----

TBGIPEdit::TBGIPEdit(TControl& parent, const TControlArgs& args)
    : TBGPanel(parent, SizedArgs(args),
               {.bevelOuter = TBevelCut::None, .bevelInner = TBevelCut::None, .border = TBorderStyle::Single},
               L"TBGIPEdit"),
      field1_(*this, FieldArgs(1, FieldHeight(Height()))),
      dot1_(*this, DotArgs(1, FieldHeight(Height())), TAlignment::Center),
      field2_(*this, FieldArgs(2, FieldHeight(Height()))),
      dot2_(*this, DotArgs(2, FieldHeight(Height())), TAlignment::Center),
      field3_(*this, FieldArgs(3, FieldHeight(Height()))),
      dot3_(*this, DotArgs(3, FieldHeight(Height())), TAlignment::Center),
      field4_(*this, FieldArgs(4, FieldHeight(Height()))),
      name1_(field1_, L""),
      name2_(field2_, L""),
      name3_(field3_, L""),
      name4_(field4_, L""),
      fields_{&field1_, &field2_, &field3_, &field4_},
      dots_{&dot1_, &dot2_, &dot3_},
      names_{&name1_, &name2_, &name3_, &name4_} {
  NameFields();
  for (TIPMaskEdit* field : fields_) {
    field->OnChange = [this](TControl&) { FieldChanged(); };
    field->OnMoveFocus = [this](TIPMaskEdit& from, TIPMaskEdit::TMove move) { MoveFocus(from, move); };
  }
  ready_ = true;
  Layout();
}

void TBGIPEdit::Layout() {
  const int dotWidth = dot1_.Width();
  const int fieldWidth = std::max((Width() - 4 - 3 * dotWidth) / kFields, 0);
  const int height = FieldHeight(Height());
  int x = 1;
  for (int i = 0; i < kFields; ++i) {
    fields_[i]->SetBounds(x, 0, fieldWidth, height);
    x += fieldWidth;
    if (i == kFields - 1) break;
    TBGLabel& dot = *dots_[i];
    dot.SetBounds(x, dot.Top(), dotWidth, dot.Height());
    x += dotWidth;
  }
}

std::wstring TBGIPEdit::AccessibleName() const {
  std::wstring name = TBGPanel::AccessibleName();
  return name.empty() ? kDefaultName : name;
}

void TBGIPEdit::SetAccessibleName(std::wstring name) {
  TBGPanel::SetAccessibleName(std::move(name));
  NameFields();
}

std::wstring TBGIPEdit::FieldName(int index) const {
  return FormatResString(kTextAddressPart, {AccessibleName(), std::to_wstring(index + 1)});
}

void TBGIPEdit::NameFields() {
  for (int i = 0; i < kFields; ++i) names_[i]->SetCaption(FieldName(i));
}

void TBGIPEdit::SetIPAddress(uint32_t address) {
  if (address == address_) return;
  address_ = address;
  WriteFields();
}

std::wstring TBGIPEdit::IPString() const { return DottedAddress(address_); }

void TBGIPEdit::SetIPString(const std::wstring& text) {
  address_ = AddressOfDotted(text);
  WriteFields();
}

void TBGIPEdit::WriteFields() {
  // Each written field recomputes address_ from the fields; the bytes come from the
  // address being written.
  const uint32_t address = address_;
  for (int i = 0; i < kFields; ++i) {
    const std::wstring text = std::to_wstring((address >> (8 * i)) & 0xFF);
    if (fields_[i]->Text() != text) fields_[i]->SetText(text);
  }
}

void TBGIPEdit::FieldChanged() {
  uint32_t address = 0;
  for (int i = 0; i < kFields; ++i)
    address |= (static_cast<uint32_t>(fields_[i]->Number()) & 0xFF) << (8 * i);
  if (address == address_) return;
  address_ = address;
  Fire(OnChanged, *this);
}

void TBGIPEdit::MoveFocus(TIPMaskEdit& from, TIPMaskEdit::TMove move) {
  const auto at = std::find(fields_.begin(), fields_.end(), &from);
  if (at == fields_.end()) return;
  const int index = static_cast<int>(at - fields_.begin());
  const int step = move == TIPMaskEdit::TMove::Next ? 1 : kFields - 1;
  TIPMaskEdit& target = *fields_[(index + step) % kFields];
  if (!CanTakeFocus(target.Handle())) return;
  target.SetFocus();
  target.SelectAll();
}

void TBGIPEdit::Paint(HDC dc, const RECT& clip) { FillColor(dc, clip, Color()); }

LRESULT TBGIPEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE: {
      const LRESULT result = TBGPanel::WndProc(msg, wParam, lParam);
      if (ready_) Layout();
      return result;
    }
    case WM_SETFOCUS:
      // The control itself takes no typing: its first field does.
      if (ready_ && CanTakeFocus(field1_.Handle())) {
        field1_.SetFocus();
        field1_.SelectAll();
      }
      return 0;
    case WM_ENABLE: {
      const LRESULT result = TBGPanel::WndProc(msg, wParam, lParam);
      // The fields and dots grey with the control, as one edit would.
      if (ready_) {
        for (TIPMaskEdit* field : fields_) field->SetEnabled(wParam != 0);
        for (TBGLabel* dot : dots_) dot->SetEnabled(wParam != 0);
      }
      return result;
    }
    case WM_SETCURSOR:
      if (!Screen().Cursor() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
        return TRUE;
      }
      break;
  }
  return TBGPanel::WndProc(msg, wParam, lParam);
}

// ---- Conversions ----

std::wstring DottedAddress(uint32_t address) {
  const auto toText = AddressConversions().toText;
  if (!toText) return {};
  in_addr value{};
  value.s_addr = address;
  const char* text = toText(value);
  return text ? std::wstring(text, text + strlen(text)) : std::wstring();
}

uint32_t AddressOfDotted(const std::wstring& text) {
  const auto fromText = AddressConversions().fromText;
  if (!fromText) return INADDR_NONE;
  std::string narrow;
  for (wchar_t c : text) {
    if (c == 0 || c > 0x7F) return INADDR_NONE;
    narrow.push_back(static_cast<char>(c));
  }
  return fromText(narrow.c_str());
}

bool IsDigitText(const std::wstring& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

bool ClipboardHoldsDigits(HWND owner) {
  if (!OpenClipboard(owner)) return false;
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return IsDigitText(text);
}
