#include "toolkit/OleCheck.h"

#include <windows.h>
#include <oleauto.h>

#include <cwchar>

#include "toolkit/ComPtr.h"
#include "toolkit/Exception.h"

namespace {

std::wstring TrimEnd(std::wstring s) {
  while (!s.empty() && (s.back() == L'\r' || s.back() == L'\n' || s.back() == L' ')) s.pop_back();
  return s;
}

std::wstring PendingErrorDescription() {
  TComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Put()) != S_OK || !info) return {};
  BSTR description = nullptr;
  if (FAILED(info->GetDescription(&description)) || !description) return {};
  std::wstring text(description, SysStringLen(description));
  SysFreeString(description);
  return TrimEnd(std::move(text));
}

}  // namespace

std::wstring SysErrorMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
  if (buffer) LocalFree(buffer);
  return TrimEnd(std::move(text));
}

std::wstring OleErrorText(HRESULT hr) {
  std::wstring text = PendingErrorDescription();
  if (text.empty()) text = SysErrorMessage(static_cast<DWORD>(hr));
  if (text.empty()) {
    wchar_t number[32];
    swprintf(number, 32, L"OLE error %08X", static_cast<unsigned>(hr));
    text = number;
  }
  return text;
}

HRESULT OleCheck(HRESULT hr) {
  if (FAILED(hr)) throw EOleError(hr, OleErrorText(hr));
  return hr;
}
