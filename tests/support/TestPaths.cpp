#include "tests/support/TestPaths.h"

#include <windows.h>
#include <shellapi.h>

namespace vt::test {

std::wstring TestExeDir() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

// Tests live in <build>\tests\, the product in <build>\bin\.
std::wstring ProductDir() { return TestExeDir() + L"..\\bin\\"; }

static void RemoveTree(const std::wstring& dir) {
  std::wstring from = dir;
  from.push_back(L'\0');  // SHFileOperation wants a double-terminated list
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
}

std::wstring ScratchDir(const std::wstring& name) {
  const std::wstring dir = TestExeDir() + L"scratch\\" + name;
  RemoveTree(dir);
  CreateDirectoryW((TestExeDir() + L"scratch").c_str(), nullptr);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir + L"\\";
}

}  // namespace vt::test
