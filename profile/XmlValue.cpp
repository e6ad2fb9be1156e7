#include "profile/XmlValue.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cwchar>

#include "toolkit/Exception.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

namespace {

[[noreturn]] void NotA(const wchar_t* kind, const std::wstring& text) {
  throw EError(FormatResString(kTextNotAValue, {text, kind}));
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool EqualsNoCase(const std::wstring& a, const wchar_t* b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b, -1, TRUE) == CSTR_EQUAL;
}

// True when text is [sign] digits [sep digits] [(e|E) [sign] digits], nothing else.
bool IsLocaleNumber(const std::wstring& text, wchar_t separator) {
  size_t i = 0;
  const size_t n = text.size();
  auto digits = [&] {
    const size_t start = i;
    while (i < n && IsDigit(text[i])) ++i;
    return i - start;
  };
  if (i < n && (text[i] == L'+' || text[i] == L'-')) ++i;
  size_t mantissa = digits();
  if (i < n && text[i] == separator) {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < n && (text[i] == L'e' || text[i] == L'E')) {
    ++i;
    if (i < n && (text[i] == L'+' || text[i] == L'-')) ++i;
    if (digits() == 0) return false;
  }
  return i == n;
}

}  // namespace

std::wstring IntToXml(int value) { return std::to_wstring(value); }

int XmlToInt(const std::wstring& text) {
  size_t i = (!text.empty() && (text[0] == L'+' || text[0] == L'-')) ? 1 : 0;
  if (i == text.size()) NotA(L"整数", text);
  for (size_t j = i; j < text.size(); ++j)
    if (!IsDigit(text[j])) NotA(L"整数", text);
  errno = 0;
  const long long value = std::wcstoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX) NotA(L"整数", text);
  return static_cast<int>(value);
}

std::wstring BoolToXml(bool value) { return value ? L"True" : L"False"; }

bool XmlToBool(const std::wstring& text) {
  if (EqualsNoCase(text, L"True")) return true;
  if (EqualsNoCase(text, L"False")) return false;
  try {
    return XmlToInt(text) != 0;
  } catch (const EError&) {
    NotA(L"布尔值", text);
  }
}

wchar_t LocaleDecimalSeparator() {
  wchar_t buffer[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 1) return buffer[0];
  return L'.';
}

std::wstring RealToXml(double value, int digits) {
  wchar_t buffer[64];
  // Only the digits the type holds, so that no tail of binary noise is written.
  swprintf(buffer, 64, L"%.*G", digits, value);
  std::wstring text = buffer;
  const wchar_t separator = LocaleDecimalSeparator();
  for (wchar_t& c : text)
    if (c == L'.') c = separator;
  return text;
}

double XmlToReal(const std::wstring& text) {
  const wchar_t separator = LocaleDecimalSeparator();
  if (!IsLocaleNumber(text, separator)) NotA(L"实数", text);
  std::wstring c = text;
  for (wchar_t& ch : c)
    if (ch == separator) ch = L'.';
  errno = 0;
  const double value = std::wcstod(c.c_str(), nullptr);
  if (errno == ERANGE && std::isinf(value)) NotA(L"实数", text);
  return value;
}

int32_t IPv4FromOctets(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  const uint32_t u = a | (uint32_t(b) << 8) | (uint32_t(c) << 16) | (uint32_t(d) << 24);
  return static_cast<int32_t>(u);
}
