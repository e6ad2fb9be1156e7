// The machine's start-up settings in a sandbox, for tests of the agent's start-up
// choices: HKEY_LOCAL_MACHINE redirected, for this process and the sandbox's lifetime,
// to a fresh key under HKEY_CURRENT_USER (the prefix's Run key and the agent's
// registration stay untouched), with the agent's install folder recorded there. The
// folder has blanks in its path ("...\Program Files\Veltrano\") and holds a recording
// stand-in for Orvanta.exe; another stand-in lies where an unquoted path would lead
// ("...\Program.exe"), so a command that starts the wrong program shows.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace vt::test {

class TStartUpSandbox {
 public:
  TStartUpSandbox();
  ~TStartUpSandbox();
  TStartUpSandbox(const TStartUpSandbox&) = delete;
  TStartUpSandbox& operator=(const TStartUpSandbox&) = delete;

  // The install folder, with its trailing backslash, and the stand-in's full path.
  const std::wstring& InstallFolder() const { return installFolder_; }
  std::wstring AgentPath() const { return installFolder_ + L"Orvanta.exe"; }

  // The Run value "Veltrano" under the redirected machine key; none when absent.
  std::optional<std::wstring> RunValue() const;
  void SetRunValue(const std::wstring& data) const;

  // The arguments (the command line after the program's path) of every start of the
  // stand-in so far, waiting up to `timeoutMs` until there are at least `count`. A
  // start of the decoy counts as "WRONG PROGRAM: " and its command line.
  std::vector<std::wstring> Starts(size_t count, DWORD timeoutMs = 10000) const;
  // Forgets the starts recorded so far.
  void ClearStarts() const;

 private:
  std::vector<std::wstring> Recorded() const;

  std::wstring root_;
  std::wstring installFolder_;
  std::wstring keyPath_;
  HKEY key_ = nullptr;
};

}  // namespace vt::test
