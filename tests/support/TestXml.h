// Comparing XML markup in tests. The DOM may re-indent what it serialises, so texts
// are compared with the white space between tags removed.
#pragma once
#include <string>

namespace vt::test {

// The markup without white-space-only runs between a '>' and the next '<'.
inline std::wstring CompactXml(const std::wstring& xml) {
  std::wstring out;
  out.reserve(xml.size());
  for (size_t i = 0; i < xml.size(); ++i) {
    if (xml[i] == L'>') {
      out.push_back(L'>');
      size_t j = i + 1;
      while (j < xml.size() && (xml[j] == L' ' || xml[j] == L'\t' || xml[j] == L'\r' || xml[j] == L'\n')) ++j;
      if (j < xml.size() && xml[j] == L'<') i = j - 1;
      continue;
    }
    out.push_back(xml[i]);
  }
  return out;
}

}  // namespace vt::test
