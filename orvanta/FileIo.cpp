#include "orvanta/FileIo.h"

#include <algorithm>
#include <cwctype>
#include <vector>

#include "orvanta/ErrorTexts.h"
#include "toolkit/Handle.h"

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

// Under Wine a file cannot be replaced while any process has it open, whatever sharing
// it was opened with (the server answers access denied), and MoveFileExW opens the
// destination itself for a moment before renaming; on Windows a virus scanner or the
// indexer holds files the same way. So two agents, or an agent and "-Reset", that read
// and replace the same file meet as access denied or a sharing violation for about as
// long as one read takes. A step refused that way is tried again for a while before it
// counts as failed.
constexpr DWORD kBusyWaitMs = 5000;

bool Busy(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
         error == ERROR_LOCK_VIOLATION;
}

// Runs `step` (true when done, the reason in the last error otherwise) until it is done,
// fails for another reason, or has been refused as busy for kBusyWaitMs. The last error
// is the step's own when it returns false.
template <class F>
bool RetryWhileBusy(F&& step) {
  const ULONGLONG deadline = GetTickCount64() + kBusyWaitMs;
  DWORD pause = 1;
  for (;;) {
    if (step()) return true;
    const DWORD error = GetLastError();
    if (!Busy(error) || GetTickCount64() >= deadline) {
      SetLastError(error);
      return false;
    }
    Sleep(pause);
    pause = std::min<DWORD>(pause * 2, 50);
  }
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  // Shared delete access lets a writer rename a new version over the file while it is
  // read where the system allows that (Windows does, Wine does not).
  HANDLE opened = INVALID_HANDLE_VALUE;
  RetryWhileBusy([&] {
    opened = CreateFileW(path.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return opened != INVALID_HANDLE_VALUE;
  });
  TKernelHandle file(opened);
  if (!file) {
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

TPendingFile::TPendingFile(std::wstring path, const std::wstring& text)
    : path_(std::move(path)),
      // A name of its own per process, so two writers never share a temporary.
      temp_(path_ + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp") {
  const std::string bytes = ToUtf8(text);
  DWORD error = ERROR_SUCCESS;
  {
    TKernelHandle file(CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowStoreWrite(path_);
    DWORD written = 0;
    const bool ok = bytes.empty() || (WriteFile(file.Get(), bytes.data(),
                                                static_cast<DWORD>(bytes.size()), &written,
                                                nullptr) &&
                                      written == bytes.size());
    if (!ok || !FlushFileBuffers(file.Get())) error = GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    DeleteFileW(temp_.c_str());  // closed first: a file open without sharing stays
    throw TAgentError(TAgentFault::StoreWrite, PathWithReason(path_, error));
  }
}

TPendingFile::TPendingFile(TPendingFile&& other) noexcept
    : path_(std::move(other.path_)), temp_(std::move(other.temp_)) {
  other.temp_.clear();
}

TPendingFile::~TPendingFile() {
  if (!temp_.empty()) DeleteFileW(temp_.c_str());
}

void TPendingFile::Commit() {
  if (!RetryWhileBusy([&] {
        return MoveFileExW(temp_.c_str(), path_.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
      }))
    ThrowStoreWrite(path_);  // the destructor deletes the new version
  temp_.clear();
}

void WriteTextFileAtomic(const std::wstring& path, const std::wstring& text) {
  TPendingFile(path, text).Commit();
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
