#include "toolkit/Edit.h"

#include "toolkit/Exception.h"

namespace {

DWORD AlignmentStyle(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::Center: return ES_CENTER;
    case TAlignment::Right: return ES_RIGHT;
    default: return ES_LEFT;
  }
}

// Multi-line edits show a lone CR or LF as a box: every line break becomes CR LF.
std::wstring WithCrLf(const std::wstring& text) {
  std::wstring result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      result += L"\r\n";
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      result += c;
    }
  }
  return result;
}

}  // namespace

TEdit::TEdit(TControl& parent, const TControlArgs& args, const TEditOptions& options)
    : TEdit(parent, args, options, ES_AUTOHSCROLL) {}

TEdit::TEdit(TControl& parent, const TControlArgs& args, const TEditOptions& options, DWORD style)
    : TStdControl(parent, args, GetSysColor(COLOR_WINDOW)) {
  CreateStandardChild(args, L"EDIT", style | WS_TABSTOP | AlignmentStyle(options.alignment),
                      BorderExStyle(options.border));
  Apply(options);
}

void TEdit::Apply(const TEditOptions& options) {
  SetMaxLength(options.maxLength);
  if (options.readOnly) SetReadOnly(true);
  if (options.passwordChar) SetPasswordChar(options.passwordChar);
}

void TEdit::SetText(const std::wstring& text) {
  if (!Handle()) return;
  const bool multiLine = GetWindowLongW(Handle(), GWL_STYLE) & ES_MULTILINE;
  const std::wstring wanted = multiLine ? WithCrLf(text) : text;
  if (wanted == Text()) return;
  {
    // A single-line edit notifies WM_SETTEXT, a multi-line one does not: notify
    // here, once, for both.
    TFlagScope quiet(settingText_);
    SetWindowTextW(Handle(), wanted.c_str());
  }
  Change();
}

void TEdit::SetMaxLength(int maxLength) {
  if (maxLength < 0) throw EError(L"The maximum length of " + Name() + L" cannot be negative");
  maxLength_ = maxLength;
  // 0 asks for the largest limit the control has.
  if (Handle()) SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength), 0);
}

bool TEdit::ReadOnly() const {
  return Handle() && (GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY);
}

void TEdit::SetReadOnly(bool readOnly) {
  if (Handle()) SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
}

wchar_t TEdit::PasswordChar() const {
  return Handle() ? static_cast<wchar_t>(SendMessageW(Handle(), EM_GETPASSWORDCHAR, 0, 0)) : 0;
}

void TEdit::SetPasswordChar(wchar_t passwordChar) {
  if (!Handle()) return;
  SendMessageW(Handle(), EM_SETPASSWORDCHAR, passwordChar, 0);
  Invalidate();
}

TAlignment TEdit::Alignment() const {
  const LONG style = Handle() ? GetWindowLongW(Handle(), GWL_STYLE) : 0;
  if (style & ES_CENTER) return TAlignment::Center;
  if (style & ES_RIGHT) return TAlignment::Right;
  return TAlignment::Left;
}

int TEdit::SelStart() const {
  DWORD start = 0, end = 0;
  if (Handle()) SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TEdit::SelLength() const {
  DWORD start = 0, end = 0;
  if (Handle()) SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TEdit::SetSel(int start, int length) {
  if (start < 0 || length < 0) throw EError(L"Negative selection in " + Name());
  if (Handle()) SendMessageW(Handle(), EM_SETSEL, start, start + length);
}

void TEdit::SelectAll() {
  if (Handle()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

std::optional<LRESULT> TEdit::Reflected(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    if (!settingText_) Change();
    return 0;
  }
  return TStdControl::Reflected(msg, wParam, lParam);
}
