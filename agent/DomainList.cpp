#include "agent/DomainList.h"

#include <shlobj.h>

#include <algorithm>
#include <cwctype>
#include <limits>
#include <set>

#include "toolkit/Exception.h"
#include "toolkit/SystemError.h"
#include "agent/UnitDef.h"
#include "toolkit/Handle.h"
#include "toolkit/SystemLibrary.h"

namespace {

// Far above any real suffix list; a bigger file is not ours and is not read.
constexpr uint64_t kMaxListFileSize = 1 << 20;

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size : 0, '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
  return result;
}

std::wstring FromAnsi(const char* text, size_t length) {
  if (length == 0) return {};
  const int size = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
  std::wstring result(size > 0 ? size : 0, L'\0');
  if (size > 0) MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), result.data(), size);
  return result;
}

// A name the agent could have given as a suffix: labels of letters, digits and '-'
// joined by single dots, as a name server takes them, at least two characters long.
// Anything else in the file (NUL bytes, random bytes) is no suffix.
bool IsUsableSuffix(const std::wstring& text) {
  if (text.size() < 2 || text.size() > 253 || text.front() == L'.' || text.back() == L'.') return false;
  if (text.find(L"..") != std::wstring::npos) return false;
  return std::all_of(text.begin(), text.end(),
                     [](wchar_t c) { return c == L'.' || c == L'-' || (c > 0x7F ? iswalpha(c) : iswalnum(c)); });
}

// Lines end in CR LF as written, but a lone LF or CR ends one too.
std::vector<std::wstring> SplitLines(const std::string& bytes) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') continue;
    if (i > start) {
      std::wstring line = FromAnsi(bytes.data() + start, i - start);
      if (IsUsableSuffix(line)) lines.push_back(std::move(line));
    }
    if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  return lines;
}

std::wstring WorkingDirectory() {
  std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
  folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
  if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
  return folder;
}

// Whether a file can be created in the folder: a probe that the system deletes as
// soon as it is closed.
bool CanCreateFilesIn(const std::wstring& folder) {
  const std::wstring probe = folder + kDomainListFileName + L"." + std::to_wstring(GetCurrentProcessId()) + L".probe";
  TKernelHandle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

std::wstring UserDataFolder() {
  wchar_t* path = nullptr;
  std::wstring folder;
  static const auto knownFolder = SystemFunctionOf<decltype(SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
  if (knownFolder && SUCCEEDED(knownFolder(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &path)))
    folder = path;
  CoTaskMemFree(path);
  if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
  return folder + L"Veltrano\\";
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

// The message for a list that could not be stored, once per run and path: the next
// visit of the page would otherwise show it again.
void ReportUnwritableList(const std::wstring& path, const std::exception& e) {
  static std::set<std::wstring> reported;
  if (!reported.insert(path).second) return;
  const auto* failure = dynamic_cast<const ESystemError*>(&e);
  const std::wstring reason = failure ? SystemErrorText(failure->Code()) : ExceptionMessage(e);
  ShowMessageText(L"无法保存域名列表文件：" + path + L"（" + reason + L"）");
}

}  // namespace

// ---- TEncodedStream ----

TEncodedStream::TEncodedStream(const std::wstring& fileName, TMode mode) : name_(fileName) {
  const bool create = mode == TMode::Create;
  file_ = TKernelHandle(CreateFileW(fileName.c_str(), create ? GENERIC_WRITE : GENERIC_READ,
                      create ? 0 : FILE_SHARE_READ, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) ThrowLastError(L"Cannot open the file " + fileName);
}

TEncodedStream::~TEncodedStream() = default;

size_t TEncodedStream::Read(void* buffer, size_t count) {
  const DWORD want = static_cast<DWORD>(std::min<size_t>(count, std::numeric_limits<DWORD>::max()));
  std::vector<uint8_t> stored(want);
  DWORD got = 0;
  if (want && !ReadFile(file_.Get(), stored.data(), want, &got, nullptr))
    ThrowLastError(L"Cannot read the file " + name_);
  auto* plain = static_cast<uint8_t*>(buffer);
  for (DWORD i = 0; i < got; ++i) plain[i] = static_cast<uint8_t>(stored[i] - Key);
  return got;
}

size_t TEncodedStream::Write(const void* buffer, size_t count) {
  const DWORD want = static_cast<DWORD>(std::min<size_t>(count, std::numeric_limits<DWORD>::max()));
  const auto* plain = static_cast<const uint8_t*>(buffer);
  std::vector<uint8_t> stored(plain, plain + want);
  for (uint8_t& byte : stored) byte = static_cast<uint8_t>(byte + Key);
  DWORD written = 0;
  if (want && (!WriteFile(file_.Get(), stored.data(), want, &written, nullptr) || written != want))
    ThrowLastError(L"Cannot write the file " + name_);
  return written;
}

uint64_t TEncodedStream::Size() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file_.Get(), &size)) ThrowLastError(L"Cannot read the size of the file " + name_);
  return static_cast<uint64_t>(size.QuadPart);
}

// ---- The file ----

std::wstring DomainListTempName(const std::wstring& fileName) { return fileName + L".new"; }

void WriteDomainListFile(const std::wstring& fileName, const std::vector<std::wstring>& suffixes) {
  // The whole text first, so the file is written in one transfer.
  std::string text;
  for (const std::wstring& suffix : suffixes) text += ToAnsi(suffix) + "\r\n";
  // Written beside the list and moved over it only once complete: a write that fails
  // half-way leaves the old list whole instead of empty or cut short.
  const std::wstring temporary = DomainListTempName(fileName);
  try {
    {
      TEncodedStream stream(temporary, TEncodedStream::TMode::Create);
      stream.Key = kDomainListKey;
      stream.Write(text.data(), text.size());
    }
    if (!MoveFileExW(temporary.c_str(), fileName.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      ThrowLastError(L"Cannot replace the file " + fileName);
  } catch (...) {
    DeleteFileW(temporary.c_str());
    throw;
  }
}

std::vector<std::wstring> ReadDomainListFile(const std::wstring& fileName) {
  try {
    TEncodedStream stream(fileName, TEncodedStream::TMode::Read);
    stream.Key = kDomainListKey;
    const uint64_t size = stream.Size();
    if (size > kMaxListFileSize) return {};
    std::string text(static_cast<size_t>(size), '\0');
    text.resize(stream.Read(text.data(), text.size()));
    return SplitLines(text);
  } catch (const std::exception&) {
    return {};
  }
}

std::wstring DomainListPath() {
  static std::wstring lookedAt, path;
  const std::wstring working = WorkingDirectory();
  if (working != lookedAt || path.empty()) {
    lookedAt = working;
    path = (CanCreateFilesIn(working) ? working : UserDataFolder()) + kDomainListFileName;
  }
  return path;
}

std::vector<std::wstring> RefreshDomainList() {
  if (!UserManager.Assigned()) return {};
  std::vector<std::wstring> suffixes;
  try {
    suffixes = UserManager.GetDomainList();
  } catch (const std::exception& e) {
    ShowMessageText(ExceptionMessage(e));
    return {};
  }
  const std::wstring path = DomainListPath();
  try {
    CreateDirectoryW(FolderOf(path).c_str(), nullptr);  // the user's folder, on first use
    WriteDomainListFile(path, suffixes);
  } catch (const std::exception& e) {
    ReportUnwritableList(path, e);
  }
  return suffixes;
}

std::vector<std::wstring> LoadDomainList() { return ReadDomainListFile(DomainListPath()); }

bool SplitHostName(const std::wstring& fullName, const std::vector<std::wstring>& suffixes,
                   std::wstring& label, std::wstring& suffix) {
  label.clear();
  suffix.clear();
  for (const std::wstring& s : suffixes) {
    if (s.size() >= fullName.size()) continue;
    const size_t dot = fullName.size() - s.size() - 1;
    if (fullName.compare(dot + 1, s.size(), s) != 0 || fullName[dot] != L'.') continue;
    label = fullName.substr(0, dot);
    suffix = s;
    return true;
  }
  return false;
}

bool SplitHostName(const std::wstring& fullName, std::wstring& label, std::wstring& suffix) {
  return SplitHostName(fullName, LoadDomainList(), label, suffix);
}
