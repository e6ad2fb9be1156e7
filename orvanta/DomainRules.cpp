#include "orvanta/DomainRules.h"

#include <windows.h>

#include <cwctype>
#include <vector>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring Folded(const std::wstring& text) {
  std::wstring out = text;
  if (!out.empty())
    CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

bool ValidLabel(const std::wstring& label) {
  if (label.empty() || label.size() > 63) return false;
  if (label.front() == L'-' || label.back() == L'-') return false;
  for (wchar_t c : label) {
    const bool ascii = c < 0x80;
    if (ascii && !(iswalnum(c) || c == L'-')) return false;
    if (!ascii && (IsBlank(c) || c == 0x3002 /* ideographic full stop */)) return false;
  }
  return true;
}

// Classic wildcard match with back-tracking to the last '*'.
bool Wildcard(const std::wstring& s, const std::wstring& p) {
  size_t si = 0, pi = 0, star = std::wstring::npos, mark = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == L'?' || p[pi] == s[si])) {
      ++si;
      ++pi;
    } else if (pi < p.size() && p[pi] == L'*') {
      star = pi++;
      mark = si;
    } else if (star != std::wstring::npos) {
      pi = star + 1;
      si = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == L'*') ++pi;
  return pi == p.size();
}

}  // namespace

std::wstring TrimBlanks(const std::wstring& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && Folded(a) == Folded(b);
}

bool NameLess(const std::wstring& a, const std::wstring& b) { return Folded(a) < Folded(b); }

bool BeginsWith(const std::wstring& name, const std::wstring& prefix) {
  return prefix.size() <= name.size() && SameName(name.substr(0, prefix.size()), prefix);
}

bool IsValidDomainName(const std::wstring& name) {
  if (name.empty() || name.size() > 253) return false;
  size_t labels = 0, start = 0;
  for (;;) {
    const size_t dot = name.find(L'.', start);
    const std::wstring label = name.substr(start, dot == std::wstring::npos ? dot : dot - start);
    if (!ValidLabel(label)) return false;
    ++labels;
    if (dot == std::wstring::npos) break;
    start = dot + 1;
  }
  return labels >= 2;
}

bool MatchesPattern(const std::wstring& name, const std::wstring& pattern) {
  const std::wstring n = Folded(name), p = Folded(pattern);
  if (p.empty()) return false;
  if (p.find_first_of(L"*?") != std::wstring::npos) return Wildcard(n, p);
  return n.find(p) != std::wstring::npos;
}
