// A stand-in for the agent executable in tests of how the program starts it: it
// records its own command line in a file of its folder, call-<process id>.txt, and
// ends. The file appears whole (written beside, then renamed), so a test that polls
// for it never reads half of it.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  const std::wstring file = folder + L"call-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  const std::wstring partial = file + L".part";
  const std::wstring line = GetCommandLineW();
  HANDLE out = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = WriteFile(out, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)),
                            &written, nullptr);
  CloseHandle(out);
  return ok && MoveFileW(partial.c_str(), file.c_str()) ? 0 : 1;
}
