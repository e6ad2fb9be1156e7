#include "orvanta/Outbox.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "orvanta/FileIo.h"
#include "orvanta/Secrets.h"

namespace {

std::vector<std::wstring> MailFiles(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*.txt").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

int NextNumber(const std::wstring& folder) {
  int highest = 0;
  for (const std::wstring& name : MailFiles(folder)) {
    const int n = _wtoi(name.c_str());
    if (n > highest) highest = n;
  }
  return highest + 1;
}

}  // namespace

std::wstring PostMail(const std::wstring& outboxFolder, const TMail& mail) {
  EnsureFolder(outboxFolder);
  wchar_t number[16];
  swprintf(number, 16, L"%06d", NextNumber(outboxFolder));
  std::wstring name = std::wstring(number) + L"-" + mail.kind + L".txt";
  const std::wstring text = L"To: " + mail.to + L"\r\nSubject: " + mail.subject +
                            L"\r\nKind: " + mail.kind + L"\r\n\r\n" + SealSecret(mail.body) + L"\r\n";
  WriteTextFileAtomic(outboxFolder + name, text);
  return name;
}

void ClearOutbox(const std::wstring& outboxFolder) {
  for (const std::wstring& name : MailFiles(outboxFolder))
    DeleteFileW((outboxFolder + name).c_str());
}
