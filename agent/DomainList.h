// The domain list: the suffixes under which a host name can be registered, as the
// agent last gave them, kept between runs in a small encoded file in the working
// directory, or in the user's local application data folder while the working
// directory is not writable (the install folder under "Program Files", where an older
// shortcut starts the program, is read-only for a standard user). Each byte of the file is the ANSI byte of the text plus a fixed key
// (mod 256), so the file is not plain text; the coding has no state, so any part of
// the file decodes alone.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Handle.h"

inline constexpr wchar_t kDomainListFileName[] = L"TDNL.kvf";
// This program alone writes and reads the file. Not 0, so that every stored byte
// differs from its plain byte.
inline constexpr uint8_t kDomainListKey = 0x9D;

// A file opened for writing (created or replaced) or for reading only, whose
// transfers add the key to every byte on the way out and take it off on the way in.
// The caller's buffers are never changed by a write.
class TEncodedStream {
 public:
  enum class TMode { Create, Read };

  // Throws EError naming the file when it cannot be opened.
  TEncodedStream(const std::wstring& fileName, TMode mode);
  ~TEncodedStream();
  TEncodedStream(const TEncodedStream&) = delete;
  TEncodedStream& operator=(const TEncodedStream&) = delete;

  // Set right after creation, before any transfer.
  uint8_t Key = 0;

  // Reads up to `count` bytes, decoded; returns how many were read (0 at the end).
  // Throws EError on a read failure.
  size_t Read(void* buffer, size_t count);
  // Writes `count` bytes, encoded; returns how many were written. Throws EError on a
  // write failure.
  size_t Write(const void* buffer, size_t count);
  // The file's size in bytes.
  uint64_t Size() const;

 private:
  TKernelHandle file_;
  std::wstring name_;
};

// Writes the suffixes, each ended by CR LF, in the system's ANSI code page through
// TEncodedStream with the key. An empty list gives an empty file. The list is written
// to DomainListTempName(fileName) and then replaces the file; when either step fails
// the file is left as it was, nothing stays beside it, and EError is thrown.
void WriteDomainListFile(const std::wstring& fileName, const std::vector<std::wstring>& suffixes);
std::wstring DomainListTempName(const std::wstring& fileName);
// The lines of the file, decoded, in file order; lines may end in CR LF, LF or CR, and
// lines that are no domain suffix (empty ones, bytes that were never a list) are
// skipped, so a damaged file reads as an empty list, which is fetched again. Any
// failure (no file, unreadable, larger than any real list) gives an empty list.
std::vector<std::wstring> ReadDomainListFile(const std::wstring& fileName);

// The domain list file's full path: "TDNL.kvf" in the working directory while this
// program may create files there, else in "%LOCALAPPDATA%\Veltrano\". Looked at once
// per working directory.
std::wstring DomainListPath();

// Asks the agent for its domain list and writes it to the domain list file; returns
// the list (empty without a connected user manager or when the agent failed). An
// agent failure is shown in the notification popup; a file that cannot be written is
// shown once per run and path. Either leaves the file as it was.
std::vector<std::wstring> RefreshDomainList();
// The domain list file's suffixes; an empty list on any failure, silently.
std::vector<std::wstring> LoadDomainList();

// The split of a full host name at the first suffix of `suffixes`, in list order,
// that is shorter than the name, ends it exactly (case-sensitive) and has a "." just
// before it: the label is what comes before that ".". False, with label and suffix
// empty, when none does.
bool SplitHostName(const std::wstring& fullName, const std::vector<std::wstring>& suffixes,
                   std::wstring& label, std::wstring& suffix);
// The same over the domain list file's suffixes.
bool SplitHostName(const std::wstring& fullName, std::wstring& label, std::wstring& suffix);
