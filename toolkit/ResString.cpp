// Texts from the running program's string table.
#include "toolkit/ResString.h"

std::wstring GetResString(int number) {
  // LoadStringW looks up only the low 16 bits of the number, so a larger one would
  // alias a real string.
  if (number < 0 || number > 0xFFFF) return {};
  wchar_t buffer[512] = {};  // 1024 bytes; at most 511 units and the terminator
  int n = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), buffer, 512);
  if (n <= 0) return {};
  // A string cut at the buffer's end must not keep half of a surrogate pair.
  if (n == 511 && IS_HIGH_SURROGATE(buffer[n - 1])) --n;
  return std::wstring(buffer, static_cast<size_t>(n));
}

std::wstring FormatResString(int number, std::initializer_list<std::wstring> arguments) {
  std::wstring text = GetResString(number);
  if (text.empty()) {
    // A program without the table (a test's) still says which text and with what.
    text = L"#" + std::to_wstring(number);
    for (const std::wstring& argument : arguments) text += L" " + argument;
    return text;
  }
  size_t from = 0;
  for (const std::wstring& argument : arguments) {
    const size_t at = text.find(L"%s", from);
    if (at == std::wstring::npos) break;
    text.replace(at, 2, argument);
    from = at + argument.size();  // an argument holding "%s" is not filled in again
  }
  return text;
}
