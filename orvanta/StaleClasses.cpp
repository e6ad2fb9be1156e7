#include "orvanta/StaleClasses.h"

#include <windows.h>

#include <string>
#include <vector>

#include "agent/RpcssRestart.h"
#include "orvanta/Registration.h"
#include "toolkit/Handle.h"

namespace {

std::wstring NotesKey() {
  return std::wstring(L"Software\\Classes\\AppID\\") + kAppIdText + L"\\ServingAgents";
}

// A process as noted: its id and its creation time, since ids are soon used again.
struct TProcessMark {
  DWORD pid = 0;
  FILETIME created{};
};

bool CreationTime(DWORD pid, FILETIME& created) {
  const TKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid));
  if (!process) return false;
  FILETIME exited, kernel, user;
  return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT &&
         GetProcessTimes(process.Get(), &created, &exited, &kernel, &user);
}

TProcessMark ThisProcess() {
  TProcessMark mark;
  mark.pid = GetCurrentProcessId();
  CreationTime(mark.pid, mark.created);
  return mark;
}

bool StillRunning(const TProcessMark& mark) {
  FILETIME created{};
  return CreationTime(mark.pid, created) && CompareFileTime(&created, &mark.created) == 0;
}

class TNotes {
 public:
  TNotes() {
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, NotesKey().c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key_.Receive(), nullptr);
  }

  void Add(const TProcessMark& mark) {
    if (key_)
      RegSetValueExW(key_.Get(), Name(mark.pid).c_str(), 0, REG_BINARY,
                     reinterpret_cast<const BYTE*>(&mark), sizeof mark);
  }
  void Remove(DWORD pid) {
    if (key_) RegDeleteValueW(key_.Get(), Name(pid).c_str());
  }
  std::vector<TProcessMark> Marks() const {
    std::vector<TProcessMark> marks;
    for (DWORD i = 0; key_; ++i) {
      wchar_t name[32];
      TProcessMark mark;
      DWORD nameLength = 32, type = 0, size = sizeof mark;
      const LSTATUS status = RegEnumValueW(key_.Get(), i, name, &nameLength, nullptr, &type,
                                           reinterpret_cast<BYTE*>(&mark), &size);
      if (status == ERROR_NO_MORE_ITEMS) break;
      // A value of another shape is left to be overwritten; it names no agent.
      if (status == ERROR_SUCCESS && type == REG_BINARY && size == sizeof mark) marks.push_back(mark);
    }
    return marks;
  }

 private:
  static std::wstring Name(DWORD pid) { return std::to_wstring(pid); }
  TRegKeyHandle key_;
};

}  // namespace

TServingNote::TServingNote() {
  if (!IsWineHost()) return;
  TNotes().Add(ThisProcess());
  noted_ = true;
}

TServingNote::~TServingNote() {
  if (noted_) TNotes().Remove(GetCurrentProcessId());
}

bool ClearStaleRegistrations(bool restart) {
  if (!IsWineHost()) return false;
  TNotes notes;
  bool stale = false;
  for (const TProcessMark& mark : notes.Marks()) {
    if (StillRunning(mark)) continue;
    notes.Remove(mark.pid);
    stale = true;
  }
  return stale && restart && RestartComActivationService();
}
