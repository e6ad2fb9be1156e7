#include "orvanta/StartUp.h"

#include <windows.h>

#include "orvanta/FileIo.h"
#include "orvanta/ServiceHost.h"

namespace {

// The quoted path, so that an install folder with blanks ("C:\Program Files\...") is
// never read as another program followed by arguments.
bool WriteRunValue() {
  const std::wstring data = L"\"" + ExePath() + L"\"";
  return RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName, REG_SZ, data.c_str(),
                         static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool DeleteRunValue() {
  const LSTATUS status = RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace

int ChooseAutoRun() {
  const int removed = UninstallService();
  return WriteRunValue() && removed == 0 ? 0 : 1;
}

int ChooseNoAutoRun() {
  const int removed = UninstallService();
  return DeleteRunValue() && removed == 0 ? 0 : 1;
}

int ChooseService() {
  // The service manager starts the agent then; a Run value would start a second one.
  const int installed = InstallService();
  return installed == 0 && DeleteRunValue() ? 0 : 1;
}
