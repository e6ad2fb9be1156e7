#include "tests/support/StartUpSandbox.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/TestPaths.h"

namespace vt::test {

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kAgentKey[] = L"SOFTWARE\\Tavrinel\\Veltrano";

std::wstring TestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::wstring name = L"startup";
  for (const char* c = info ? info->name() : ""; *c; ++c)
    name.push_back(isalnum(static_cast<unsigned char>(*c)) ? static_cast<wchar_t>(*c) : L'-');
  return name;
}

void Copy(const std::wstring& from, const std::wstring& to) {
  EXPECT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE)) << "cannot copy the stand-in";
}

std::wstring ReadWide(const std::wstring& path) {
  HANDLE in = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return {};
  std::wstring text(GetFileSize(in, nullptr) / sizeof(wchar_t), L'\0');
  DWORD read = 0;
  ReadFile(in, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
  CloseHandle(in);
  return text;
}

// The names of the recorder's finished files in `folder`.
std::vector<std::wstring> CallFiles(const std::wstring& folder) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"call-*.txt").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do files.push_back(folder + found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

// What follows the program's path on a command line.
std::wstring Arguments(const std::wstring& line) {
  size_t end = line[0] == L'"' ? line.find(L'"', 1) : line.find(L' ');
  if (end == std::wstring::npos) return {};
  if (line[0] == L'"') ++end;
  const size_t first = line.find_first_not_of(L' ', end);
  return first == std::wstring::npos ? std::wstring() : line.substr(first);
}

}  // namespace

TStartUpSandbox::TStartUpSandbox() {
  root_ = ScratchDir(TestName());
  installFolder_ = root_ + L"Program Files\\Veltrano\\";
  CreateDirectoryW((root_ + L"Program Files").c_str(), nullptr);
  CreateDirectoryW(installFolder_.c_str(), nullptr);
  const std::wstring recorder = TestExeDir() + L"arg-recorder.exe";
  Copy(recorder, AgentPath());
  Copy(recorder, root_ + L"Program.exe");

  keyPath_ = L"Software\\VTUserCnfgTests\\Machine-" + std::to_wstring(GetCurrentProcessId());
  RegDeleteTreeW(HKEY_CURRENT_USER, keyPath_.c_str());
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key_, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, key_), ERROR_SUCCESS);
  EXPECT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kAgentKey, L"Install Path", REG_SZ,
                            installFolder_.c_str(),
                            static_cast<DWORD>((installFolder_.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

TStartUpSandbox::~TStartUpSandbox() {
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  if (key_) RegCloseKey(key_);
  RegDeleteTreeW(HKEY_CURRENT_USER, keyPath_.c_str());
  // The common parent goes with the last sandbox (it fails while another holds a key).
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VTUserCnfgTests");
}

std::optional<std::wstring> TStartUpSandbox::RunValue() const {
  wchar_t data[1024];
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, L"Veltrano", RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

void TStartUpSandbox::SetRunValue(const std::wstring& data) const {
  EXPECT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kRunKey, L"Veltrano", REG_SZ, data.c_str(),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

std::vector<std::wstring> TStartUpSandbox::Recorded() const {
  std::vector<std::wstring> starts;
  for (const std::wstring& file : CallFiles(installFolder_)) starts.push_back(Arguments(ReadWide(file)));
  for (const std::wstring& file : CallFiles(root_)) starts.push_back(L"WRONG PROGRAM: " + ReadWide(file));
  std::sort(starts.begin(), starts.end());
  return starts;
}

std::vector<std::wstring> TStartUpSandbox::Starts(size_t count, DWORD timeoutMs) const {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  std::vector<std::wstring> starts = Recorded();
  while (starts.size() < count && GetTickCount64() < deadline) {
    Sleep(50);
    starts = Recorded();
  }
  return starts;
}

void TStartUpSandbox::ClearStarts() const {
  for (const std::wstring& folder : {installFolder_, root_})
    for (const std::wstring& file : CallFiles(folder)) DeleteFileW(file.c_str());
}

}  // namespace vt::test
