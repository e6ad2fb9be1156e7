#include "toolkit/Hint.h"

#include <commctrl.h>

#include "toolkit/SystemError.h"

namespace {

TTTOOLINFOW ToolInfo(HWND window, const std::wstring& text) {
  TTTOOLINFOW info{};
  // The version 1 size: accepted by every version of the common controls.
  info.cbSize = TTTOOLINFOW_V1_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = window;
  info.uId = reinterpret_cast<UINT_PTR>(window);
  info.lpszText = const_cast<wchar_t*>(text.c_str());
  return info;
}

}  // namespace

THint::~THint() {
  if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

void THint::Set(HWND window, const std::wstring& text) {
  if (text == text_ || !window) return;
  if (!tooltip_ || !IsWindow(tooltip_)) {
    if (text.empty()) return;
    // Owned by the control's top-level window, so it shows above it; this object
    // destroys it.
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) ThrowLastError(L"Cannot create a tooltip");
  }
  TTTOOLINFOW info = ToolInfo(window, text);
  if (text_.empty())
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  else if (text.empty())
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  else
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  text_ = text;
}
