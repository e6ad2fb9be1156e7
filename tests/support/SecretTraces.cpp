#include "tests/support/SecretTraces.h"

#include <windows.h>
#include <wincrypt.h>

namespace {

std::string Bytes(const std::wstring& text, bool utf16) {
  if (utf16) return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string Base64(const std::string& bytes) {
  DWORD n = 0;
  const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
  const auto* data = reinterpret_cast<const BYTE*>(bytes.data());
  CryptBinaryToStringA(data, static_cast<DWORD>(bytes.size()), flags, nullptr, &n);
  std::string out(n, '\0');
  CryptBinaryToStringA(data, static_cast<DWORD>(bytes.size()), flags, out.data(), &n);
  out.resize(n);
  return out;
}

}  // namespace

std::string FileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

bool HoldsSecret(const std::string& bytes, const std::wstring& secret) {
  for (bool utf16 : {false, true}) {
    const std::string plain = Bytes(secret, utf16);
    if (bytes.find(plain) != std::string::npos || bytes.find(Base64(plain)) != std::string::npos) return true;
  }
  return false;
}
