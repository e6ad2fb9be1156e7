// Files of the agent's store: UTF-8 text read and written whole, atomic replacement
// (write a temporary, then rename over the old file, so a reader never sees half a
// file), and the stamp by which the store notices a file changed on disk. Opening and
// replacing wait out another process that holds the file for a moment (see FileIo.cpp).
#pragma once
#include <windows.h>

#include <optional>
#include <string>

// The folder of the running executable, ending in a backslash.
std::wstring ExeFolder();

// The full path of the running executable.
std::wstring ExePath();

// "<path>（<the system's text for the error>）": the detail of a failure to write, so
// that the user learns where and why (access denied, disk full) and not only that.
std::wstring PathWithReason(const std::wstring& path, DWORD error);
// TAgentError(StoreWrite) for the path, with the calling thread's last error.
[[noreturn]] void ThrowStoreWrite(const std::wstring& path);

// Creates the folder and its missing parents; raises TAgentError(StoreWrite) on failure.
void EnsureFolder(const std::wstring& folder);

// The file's text, decoded from UTF-8 (a UTF-8 or UTF-16LE byte-order mark is honoured);
// nothing when the file does not exist. Raises TAgentError(StoreCorrupt) when the file
// exists but cannot be read or is not valid text.
std::optional<std::wstring> ReadTextFile(const std::wstring& path);

// A new version of a file, written beside it (UTF-8, no byte-order mark) and not yet
// in place: Commit() renames it over the file. Destroyed uncommitted, it is deleted and
// the file stays as it was. Several of them let a whole store be written before any of
// its files is replaced.
class TPendingFile {
 public:
  // Raises TAgentError(StoreWrite) naming `path` when the new version cannot be written.
  TPendingFile(std::wstring path, const std::wstring& text);
  TPendingFile(TPendingFile&& other) noexcept;
  TPendingFile(const TPendingFile&) = delete;
  TPendingFile& operator=(const TPendingFile&) = delete;
  TPendingFile& operator=(TPendingFile&&) = delete;
  ~TPendingFile();

  // Raises TAgentError(StoreWrite) naming the path when the file cannot be replaced.
  void Commit();

 private:
  std::wstring path_;
  std::wstring temp_;  // empty once committed or moved away
};

// Replaces the file's content with the text in UTF-8 (no byte-order mark), atomically.
// Raises TAgentError(StoreWrite) on failure; the old file is then left as it was.
void WriteTextFileAtomic(const std::wstring& path, const std::wstring& text);

// What identifies one version of a file on disk.
struct TFileStamp {
  bool exists = false;
  FILETIME written{};
  ULONGLONG size = 0;

  bool operator==(const TFileStamp& o) const {
    return exists == o.exists && size == o.size &&
           written.dwLowDateTime == o.written.dwLowDateTime &&
           written.dwHighDateTime == o.written.dwHighDateTime;
  }
};

TFileStamp StampOf(const std::wstring& path);

// UTF-8 <-> UTF-16.
std::string ToUtf8(const std::wstring& text);
std::optional<std::wstring> FromUtf8(const std::string& bytes);
