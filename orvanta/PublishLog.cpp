#include "orvanta/PublishLog.h"

#include <windows.h>

#include <cstdio>

#include "orvanta/PublishSettings.h"
#include "orvanta/StoreLock.h"

void AppendPublishLog(const std::wstring& folder, const std::string& line) {
  const std::wstring path = folder + publish_files::kLog;
  SYSTEMTIME now;
  GetSystemTime(&now);
  char stamp[32];
  snprintf(stamp, sizeof stamp, "%04u-%02u-%02uT%02u:%02u:%02uZ ", now.wYear, now.wMonth, now.wDay, now.wHour,
           now.wMinute, now.wSecond);
  std::string text = stamp + line;
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  text += "\r\n";
  try {
    const TStoreLock lock(folder);  // the agents of several sessions may log at once
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
        (data.nFileSizeHigh || data.nFileSizeLow + text.size() > kPublishLogLimit))
      MoveFileExW(path.c_str(), (path + L".1").c_str(), MOVEFILE_REPLACE_EXISTING);
    const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
  } catch (...) {
    // The lock timed out: this line is lost, the publishing goes on.
  }
}
