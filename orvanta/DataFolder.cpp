#include "orvanta/DataFolder.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <vector>

#include "orvanta/AgentStore.h"
#include "orvanta/ErrorTexts.h"
#include "orvanta/FileIo.h"

namespace {

constexpr wchar_t kProductFolder[] = L"Veltrano\\";
constexpr wchar_t kDataFolderName[] = L"OrvantaData\\";

// Inherited by files and folders (OICI), for the built-in Users (BU): read, write,
// execute and delete, the "modify" right of the security dialog, without the right to
// change permissions or take ownership. "AI": the ACEs the common application data
// folder hands down (SYSTEM and the administrators in full) stay.
constexpr wchar_t kUsersModify[] = L"D:AI(A;OICI;0x1301bf;;;BU)";

std::wstring WithoutSlash(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

std::wstring ParentOf(const std::wstring& folder) {
  const std::wstring path = WithoutSlash(folder);
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct TEntry {
  std::wstring name;
  bool folder;
};

std::vector<TEntry> EntriesOf(const std::wstring& folder) {
  std::vector<TEntry> entries;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..")
      entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

void CopyFileOrThrow(const std::wstring& from, const std::wstring& to) {
  if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) ThrowStoreWrite(to);
}

// Copies the folder's content below `to`, leaving out `last` at the top (copied by the
// caller once everything else is in place).
void CopyTree(const std::wstring& from, const std::wstring& to, const std::wstring& last) {
  EnsureFolder(to);
  for (const TEntry& entry : EntriesOf(from)) {
    if (entry.name == last) continue;
    if (entry.folder)
      CopyTree(from + entry.name + L"\\", to + entry.name + L"\\", {});
    else
      CopyFileOrThrow(from + entry.name, to + entry.name);
  }
}

// Deletes what it may of the folder and the folder itself; what cannot go stays.
void RemoveTree(const std::wstring& folder) {
  for (const TEntry& entry : EntriesOf(folder)) {
    if (entry.folder)
      RemoveTree(folder + entry.name + L"\\");
    else
      DeleteFileW((folder + entry.name).c_str());
  }
  RemoveDirectoryW(WithoutSlash(folder).c_str());
}

std::wstring CommonAppDataFolder() {
  wchar_t* path = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, KF_FLAG_DEFAULT, nullptr, &path)))
    folder = path;
  CoTaskMemFree(path);
  // Never reached on a working system; the Windows default then.
  if (folder.empty()) folder = L"C:\\ProgramData";
  return WithoutSlash(folder) + L"\\";
}

}  // namespace

std::wstring AgentDataFolder() { return CommonAppDataFolder() + kProductFolder + kDataFolderName; }

std::wstring LegacyDataFolder() { return ExeFolder() + kDataFolderName; }

bool AdoptLegacyStore(const std::wstring& legacy, const std::wstring& target) {
  using store_files::kAccounts;
  if (WithoutSlash(legacy) == WithoutSlash(target)) return false;
  if (!IsFile(legacy + kAccounts) || IsFile(target + kAccounts)) return false;
  CopyTree(legacy, target, kAccounts);
  CopyFileOrThrow(legacy + kAccounts, target + kAccounts);
  RemoveTree(legacy);
  return true;
}

void ShareDataFolder(const std::wstring& folder) {
  const std::wstring parent = WithoutSlash(ParentOf(folder));
  EnsureFolder(parent);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kUsersModify, SDDL_REVISION_1,
                                                            &descriptor, nullptr))
    ThrowStoreWrite(parent);
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
  // The explicit entry replaces the folder's own ones; the inherited ones stay
  // (UNPROTECTED), and the system hands the new entry down to what lies below.
  const DWORD status = SetNamedSecurityInfoW(
      const_cast<wchar_t*>(parent.c_str()), SE_FILE_OBJECT,
      DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
      nullptr);
  LocalFree(descriptor);
  if (status != ERROR_SUCCESS) throw TAgentError(TAgentFault::StoreWrite, PathWithReason(parent, status));
  EnsureFolder(folder);  // inherits the entry
}
