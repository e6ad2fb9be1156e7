#include "orvanta/Secrets.h"

#include <windows.h>
#include <wincrypt.h>

#include <algorithm>
#include <cwctype>
#include <stdexcept>
#include <vector>

namespace {

// The agent's own entropy: a blob sealed by another program for the same machine does
// not open as one of ours, nor ours as theirs.
constexpr char kEntropy[] = "Veltrano Orvanta store secret 1";
constexpr size_t kShortestSealed = 88;  // base64 of 64 bytes; a sealed blob is longer

DATA_BLOB Entropy() {
  return {static_cast<DWORD>(sizeof kEntropy - 1), reinterpret_cast<BYTE*>(const_cast<char*>(kEntropy))};
}

std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FromUtf8(const BYTE* bytes, DWORD size) {
  const auto* chars = reinterpret_cast<const char*>(bytes);
  const int n = MultiByteToWideChar(CP_UTF8, 0, chars, static_cast<int>(size), nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, chars, static_cast<int>(size), out.data(), n);
  return out;
}

// Frees what the data protection functions allocate.
struct TLocalBlob : DATA_BLOB {
  TLocalBlob() : DATA_BLOB{0, nullptr} {}
  ~TLocalBlob() {
    if (pbData) {
      SecureZeroMemory(pbData, cbData);
      LocalFree(pbData);
    }
  }
  TLocalBlob(const TLocalBlob&) = delete;
  TLocalBlob& operator=(const TLocalBlob&) = delete;
};

std::wstring Base64(const BYTE* bytes, DWORD size) {
  const DWORD flags = CRYPT_STRING_BASE64 | CRYPT_STRING_NOCRLF;
  DWORD length = 0;
  if (!CryptBinaryToStringW(bytes, size, flags, nullptr, &length)) throw std::runtime_error("base64");
  std::wstring text(length, L'\0');
  if (!CryptBinaryToStringW(bytes, size, flags, text.data(), &length)) throw std::runtime_error("base64");
  text.resize(length);
  while (!text.empty() && (text.back() == L'\0' || text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
  return text;
}

std::optional<std::vector<BYTE>> FromBase64(const std::wstring& text) {
  DWORD size = 0;
  if (!CryptStringToBinaryW(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64, nullptr, &size,
                            nullptr, nullptr))
    return std::nullopt;
  std::vector<BYTE> bytes(size);
  if (!CryptStringToBinaryW(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64, bytes.data(),
                            &size, nullptr, nullptr))
    return std::nullopt;
  bytes.resize(size);
  return bytes;
}

bool LooksSealed(const std::wstring& stored) {
  if (stored.size() < kShortestSealed || stored.size() % 4) return false;
  const size_t padding = stored.find(L'=');
  if (padding != std::wstring::npos && (stored.size() - padding > 2 || stored.find_first_not_of(L'=', padding) !=
                                                                           std::wstring::npos))
    return false;
  for (size_t i = 0; i < std::min(padding, stored.size()); ++i) {
    const wchar_t c = stored[i];
    if (!(iswascii(c) && (iswalnum(c) || c == L'+' || c == L'/'))) return false;
  }
  return true;
}

// Where the content of the UserInfo text's Answer element lies: the first start tag
// "<Answer" outside comments and CDATA sections, up to its end tag. None for an empty
// element or a text without one.
struct TSpan {
  size_t begin = 0, end = 0;
};
std::optional<TSpan> AnswerContent(const std::wstring& text) {
  static const std::wstring kTag = L"<Answer", kEnd = L"</Answer>";
  for (size_t at = 0; at < text.size();) {
    if (text.compare(at, 4, L"<!--") == 0) {
      at = text.find(L"-->", at);
      if (at == std::wstring::npos) return std::nullopt;
      continue;
    }
    if (text.compare(at, 9, L"<![CDATA[") == 0) {
      at = text.find(L"]]>", at);
      if (at == std::wstring::npos) return std::nullopt;
      continue;
    }
    const size_t after = at + kTag.size();
    if (text.compare(at, kTag.size(), kTag) == 0 && after < text.size() &&
        (text[after] == L'>' || text[after] == L'/' || iswspace(text[after]))) {
      const size_t close = text.find(L'>', after);
      if (close == std::wstring::npos || text[close - 1] == L'/') return std::nullopt;
      const size_t end = text.find(kEnd, close + 1);
      if (end == std::wstring::npos) return std::nullopt;
      return TSpan{close + 1, end};
    }
    ++at;
  }
  return std::nullopt;
}

}  // namespace

std::wstring SealSecret(const std::wstring& plain) {
  if (plain.empty()) return {};
  std::string bytes = Utf8(plain);
  DATA_BLOB in{static_cast<DWORD>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data())};
  DATA_BLOB entropy = Entropy();
  TLocalBlob sealed;
  const BOOL ok = CryptProtectData(&in, L"", &entropy, nullptr, nullptr,
                                   CRYPTPROTECT_LOCAL_MACHINE | CRYPTPROTECT_UI_FORBIDDEN, &sealed);
  SecureZeroMemory(bytes.data(), bytes.size());
  if (!ok) throw std::runtime_error("CryptProtectData");
  return Base64(sealed.pbData, sealed.cbData);
}

TOpenedSecret OpenSecret(const std::wstring& stored) {
  if (!LooksSealed(stored)) return {stored, !stored.empty()};
  std::optional<std::vector<BYTE>> blob = FromBase64(stored);
  if (!blob) return {};
  DATA_BLOB in{static_cast<DWORD>(blob->size()), blob->data()};
  DATA_BLOB entropy = Entropy();
  TLocalBlob plain;
  if (!CryptUnprotectData(&in, nullptr, &entropy, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &plain)) return {};
  return {FromUtf8(plain.pbData, plain.cbData), false};
}

std::wstring SealProfileText(const std::wstring& text) {
  const std::optional<TSpan> answer = AnswerContent(text);
  if (!answer || answer->begin == answer->end) return text;
  const std::wstring content = text.substr(answer->begin, answer->end - answer->begin);
  if (LooksSealed(content)) return text;  // sealed already
  return text.substr(0, answer->begin) + SealSecret(content) + text.substr(answer->end);
}

TOpenedProfile OpenProfileText(const std::wstring& stored) {
  const std::optional<TSpan> answer = AnswerContent(stored);
  if (!answer) return {stored, false};
  const TOpenedSecret content = OpenSecret(stored.substr(answer->begin, answer->end - answer->begin));
  if (!content.plain) return {};
  return {stored.substr(0, answer->begin) + *content.plain + stored.substr(answer->end), content.wasClear};
}
