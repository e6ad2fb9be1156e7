#include "orvanta/FileIo.h"

#include <cwctype>
#include <vector>

#include "orvanta/ErrorTexts.h"

std::wstring ExePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) return std::wstring(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring ExeFolder() {
  const std::wstring path = ExePath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring PathWithReason(const std::wstring& path, DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason = length ? std::wstring(text, length) : L"error " + std::to_wstring(error);
  if (text) LocalFree(text);
  while (!reason.empty() && iswspace(reason.back())) reason.pop_back();
  return path + L"（" + reason + L"）";
}

void ThrowStoreWrite(const std::wstring& path) {
  throw TAgentError(TAgentFault::StoreWrite, PathWithReason(path, GetLastError()));
}

void EnsureFolder(const std::wstring& folder) {
  std::wstring path = folder;
  while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  if (path.empty()) return;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  const size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos && slash > 2) EnsureFolder(path.substr(0, slash));
  if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    ThrowStoreWrite(path);
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::optional<std::wstring> FromUtf8(const std::string& bytes) {
  if (bytes.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                    static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                      out.data(), n);
  return out;
}

namespace {

class THandle {
 public:
  explicit THandle(HANDLE h) : h_(h) {}
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  ~THandle() { if (Valid()) CloseHandle(h_); }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

std::optional<std::string> ReadBytes(const std::wstring& path) {
  // Shared delete access lets a writer rename a new version over the file while it is read.
  THandle file(CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw TAgentError(TAgentFault::StoreCorrupt, path);
  }
  LARGE_INTEGER size{};
  // The store's files are small; anything above 64 MB is not one of ours.
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > (64LL << 20))
    throw TAgentError(TAgentFault::StoreCorrupt, path);
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size()))
    throw TAgentError(TAgentFault::StoreCorrupt, path);
  return bytes;
}

}  // namespace

std::optional<std::wstring> ReadTextFile(const std::wstring& path) {
  std::optional<std::string> bytes = ReadBytes(path);
  if (!bytes) return std::nullopt;
  if (bytes->size() >= 2 && static_cast<unsigned char>((*bytes)[0]) == 0xFF &&
      static_cast<unsigned char>((*bytes)[1]) == 0xFE) {
    if (bytes->size() % 2) throw TAgentError(TAgentFault::StoreCorrupt, path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes->data() + 2),
                        (bytes->size() - 2) / 2);
  }
  if (bytes->size() >= 3 && bytes->compare(0, 3, "\xEF\xBB\xBF") == 0) bytes->erase(0, 3);
  std::optional<std::wstring> text = FromUtf8(*bytes);
  if (!text) throw TAgentError(TAgentFault::StoreCorrupt, path);
  return text;
}

void WriteTextFileAtomic(const std::wstring& path, const std::wstring& text) {
  const std::string bytes = ToUtf8(text);
  // A name of its own per process, so two writers never share a temporary.
  const std::wstring temp = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  {
    THandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) ThrowStoreWrite(path);
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file.Get(), bytes.data(),
                                                static_cast<DWORD>(bytes.size()), &written,
                                                nullptr) &&
                                      written == bytes.size());
    if (!ok || !FlushFileBuffers(file.Get())) {
      const DWORD error = GetLastError();
      DeleteFileW(temp.c_str());
      throw TAgentError(TAgentFault::StoreWrite, PathWithReason(path, error));
    }
  }
  if (!MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temp.c_str());
    throw TAgentError(TAgentFault::StoreWrite, PathWithReason(path, error));
  }
}

TFileStamp StampOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  TFileStamp stamp;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return stamp;
  stamp.exists = true;
  stamp.written = data.ftLastWriteTime;
  stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return stamp;
}
