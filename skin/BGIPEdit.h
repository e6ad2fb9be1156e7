// TBGIPEdit: an IPv4 address typed octet by octet, as four small numeric fields with
// dots between them on a skinned panel. The address it reads and writes is the one the
// profile stores: the four octets in network order as they lie in memory, so the first
// octet is the lowest byte (192.168.1.1 is 0x0101A8C0). The dotted text goes through
// the socket library's own conversion, so what the control shows and what the
// platform's resolvers read agree.
//
// The fields move the focus among themselves as the user types: a blank, a third digit
// or an arrow key at the edge of a field goes to the next or previous field, with
// wrap-around, and the field reached has its text selected so that typing replaces it.
// Whatever reaches a field, every field always counts as one byte (a number above 255
// is shown and read as 255, anything that is no number as 0), so the address is always
// four bytes.
//
// Screen readers hear the control as one address field: it has an accessible name
// ("IP 地址" unless given another), and each field is named as a part of it, "<name>
// 第1段" to "第4段", through an invisible name just before the field.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "skin/BGEdit.h"
#include "skin/BGLabel.h"
#include "skin/BGPanel.h"

// One octet field. On its own (without an owner's move handler) it keeps the typing
// rules but moves the focus nowhere.
class TIPMaskEdit : public TBGEdit {
 public:
  enum class TMove { Previous, Next };
  using TMoveFocusEvent = std::function<void(TIPMaskEdit& sender, TMove move)>;

  static constexpr int kMaxDigits = 3;

  // No border, centred text "0", at most three characters.
  TIPMaskEdit(TControl& parent, const TControlArgs& args);

  // The text read as a decimal integer; 0 when it is empty or not a number.
  int Number() const;

  // The owner's handler that moves the focus on from this field.
  TMoveFocusEvent OnMoveFocus;

 protected:
  // Clamps to 255, moves on after a third digit, then raises OnChange.
  void Change() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  // False when the character is swallowed (with the default beep for a refused one).
  bool AcceptChar(wchar_t c);
  void MoveFocus(TMove move);
};

class TBGIPEdit : public TBGPanel {
 public:
  static constexpr int kDefaultWidth = 145;
  static constexpr int kDefaultHeight = 21;
  static constexpr int kDotWidth = 8;

  static constexpr wchar_t kDefaultName[] = L"IP 地址";

  // A width and height of 0 in args give the default 145 x 21. Address 0.0.0.0.
  TBGIPEdit(TControl& parent, const TControlArgs& args);

  uint32_t IPAddress() const noexcept { return address_; }
  // Nothing when the value is the stored one; otherwise stores it, then writes the
  // fields that differ (see OnChanged).
  void SetIPAddress(uint32_t address);
  std::wstring IPString() const;
  // Stores what the platform's conversion makes of the text (an unreadable text is
  // INADDR_NONE, 255.255.255.255), unconditionally, then writes the fields.
  void SetIPString(const std::wstring& text);

  // Raised when a change of a field changes the address. The setters store the new
  // address first and each written field then recomputes it, so writing an address
  // that differs in one field raises nothing, and one that differs in several raises
  // once per written field after the first: with the new fields up to the one written
  // and the old ones after it, the last time with the whole new address. Pages detach
  // it while they load an address.
  TNotifyEvent OnChanged;

  // Field 0 is the first (lowest) octet.
  TIPMaskEdit& Field(int index) { return *fields_.at(index); }
  TBGLabel& Dot(int index) { return *dots_.at(index); }
  // What a screen reader calls field `index`.
  std::wstring FieldName(int index) const;
  std::wstring AccessibleName() const override;
  // Names the fields after the control too.
  void SetAccessibleName(std::wstring name) override;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Only the picture behind it: the fields and dots draw the rest.
  void Paint(HDC dc, const RECT& clip) override;

 private:
  void Layout();
  void WriteFields();
  void FieldChanged();
  void MoveFocus(TIPMaskEdit& from, TIPMaskEdit::TMove move);
  void NameFields();

  // Before the children: their creation may already send the control messages.
  uint32_t address_ = 0;
  bool ready_ = false;  // the fields exist and are attached
  TIPMaskEdit field1_;
  TBGLabel dot1_;
  TIPMaskEdit field2_;
  TBGLabel dot2_;
  TIPMaskEdit field3_;
  TBGLabel dot3_;
  TIPMaskEdit field4_;
  TFieldName name1_, name2_, name3_, name4_;
  std::array<TIPMaskEdit*, 4> fields_;
  std::array<TBGLabel*, 3> dots_;
  std::array<TFieldName*, 4> names_;
};

// The dotted decimal text of an address in the profile's form, by the platform's
// conversion (inet_ntoa): 16909060 (0x01020304) is "4.3.2.1".
std::wstring DottedAddress(uint32_t address);
// The address of a dotted text by the platform's conversion (inet_addr); INADDR_NONE
// for a text it cannot read.
uint32_t AddressOfDotted(const std::wstring& text);

// True when the text is one or more decimal digits and nothing else.
bool IsDigitText(const std::wstring& text);
// For an edit that takes digits only: true when the clipboard's text may be pasted.
bool ClipboardHoldsDigits(HWND owner);
