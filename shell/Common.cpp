// Small routines the whole program shares: its folder, the registry and file tests,
// the one-instance test and string splitting.
#include "shell/Common.h"

#include "toolkit/Handle.h"

// ---------------------------------------------------------------------------
// Paths and the registry

std::wstring GetExeDir() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    // A result that fills the buffer was cut: long paths reach 32,767 units.
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

namespace {

// The text of a REG_SZ or REG_EXPAND_SZ value, as stored; empty otherwise.
std::wstring QueryString(HKEY key, const std::wstring& name) {
  // The value may grow between the size query and the read; a few tries suffice.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    // A stored string need not end in a terminator, nor have an even byte count.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(text.data()), &got);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    text.resize(got / sizeof(wchar_t));
    const size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
  }
  return {};
}

}  // namespace

std::wstring ReadRegString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName) {
  // RegOpenKeyEx refuses a path that starts with a separator.
  const size_t first = keyPath.find_first_not_of(L'\\');
  const std::wstring path =
      first == std::wstring::npos ? std::wstring()
                                  : keyPath.substr(first, keyPath.find_last_not_of(L'\\') - first + 1);
  TRegKeyHandle key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return {};
  return QueryString(key.Get(), valueName);
}

std::wstring GetInstallPath() {
  std::wstring path = ReadRegString(HKEY_LOCAL_MACHINE, L"\\SOFTWARE\\Tavrinel\\Veltrano\\", L"Install Path");
  if (!path.empty() && path.back() != L'\\') path.push_back(L'\\');
  return path;
}

// ---------------------------------------------------------------------------
// System, windows, files and sounds

bool IsNT() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsWindowPresent(const std::wstring& className, const std::wstring& caption) {
  if (className.empty()) return false;
  return FindWindowW(className.c_str(), caption.empty() ? nullptr : caption.c_str()) != nullptr;
}

bool FileAttributesExist(const std::wstring& name) {
  return !name.empty() && GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// ---------------------------------------------------------------------------
// Strings

namespace {

bool IsBlank(wchar_t c) { return c <= L' '; }

}  // namespace

void SplitString(const std::wstring& text, wchar_t delimiter, std::vector<std::wstring>& list) {
  size_t start = 0;
  for (;;) {
    size_t end = text.find(delimiter, start);
    if (end == std::wstring::npos) end = text.size();
    size_t b = start, e = end;
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    if (e > b) list.emplace_back(text, b, e - b);
    if (end == text.size()) break;
    start = end + 1;
  }
}
