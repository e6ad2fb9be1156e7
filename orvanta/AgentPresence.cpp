#include "orvanta/AgentPresence.h"

struct TRecord {
  volatile LONG generation;  // counts announcements, so a restart is visible
  volatile LONG pid;         // the serving agent, 0 while none serves
};

namespace {

constexpr wchar_t kRecordName[] = L"OrvantaAgentPresence";
constexpr wchar_t kQuitName[] = L"OrvantaAgentQuit";
constexpr wchar_t kRestartName[] = L"OrvantaAgentRestart";

bool ProcessAlive(DWORD pid) {
  const TKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
  return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

class TRecordView {
 public:
  TRecordView()
      : mapping_(OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, kRecordName)),
        record_(mapping_ ? static_cast<TRecord*>(MapViewOfFile(mapping_.Get(), FILE_MAP_READ | FILE_MAP_WRITE,
                                                                0, 0, sizeof(TRecord)))
                         : nullptr) {}
  TRecord* Get() const { return record_.Get(); }

 private:
  TKernelHandle mapping_;
  TMappedView<TRecord> record_;
};

// The record lives only while some agent holds it.
bool AnyAgentLeft() { return static_cast<bool>(TKernelHandle(OpenFileMappingW(FILE_MAP_READ, FALSE, kRecordName))); }

}  // namespace

TAgentPresence::TAgentPresence()
    : mapping_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TRecord), kRecordName)),
      record_(mapping_ ? static_cast<TRecord*>(
                             MapViewOfFile(mapping_.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TRecord)))
                       : nullptr),
      quit_(CreateEventW(nullptr, TRUE, FALSE, kQuitName)),
      restart_(CreateEventW(nullptr, FALSE, FALSE, kRestartName)) {}

TAgentPresence::~TAgentPresence() { Withdraw(); }

bool TAgentPresence::OtherAgentServing() const {
  if (!record_) return false;
  const DWORD pid = static_cast<DWORD>(record_.Get()->pid);
  return pid && pid != GetCurrentProcessId() && ProcessAlive(pid);
}

void TAgentPresence::Announce() {
  if (!record_) return;
  InterlockedExchange(&record_.Get()->pid, static_cast<LONG>(GetCurrentProcessId()));
  InterlockedIncrement(&record_.Get()->generation);
}

void TAgentPresence::Withdraw() {
  if (record_)
    InterlockedCompareExchange(&record_.Get()->pid, 0, static_cast<LONG>(GetCurrentProcessId()));
}

bool QuitRunningAgents(DWORD timeoutMs) {
  const TKernelHandle quit(OpenEventW(EVENT_MODIFY_STATE, FALSE, kQuitName));
  if (!quit) return !AnyAgentLeft();
  SetEvent(quit.Get());
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool gone = false;
  while (!(gone = !AnyAgentLeft()) && GetTickCount64() < deadline) Sleep(50);
  // An agent started after this must not find the event still set.
  ResetEvent(quit.Get());
  return gone;
}

bool RestartRunningAgent(DWORD timeoutMs) {
  TRecordView view;  // holding the record keeps its count across the hand-over
  const TKernelHandle restart(OpenEventW(EVENT_MODIFY_STATE, FALSE, kRestartName));
  if (!view.Get() || !restart) return false;
  const LONG before = view.Get()->generation;
  SetEvent(restart.Get());
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < deadline) {
    const LONG pid = view.Get()->pid;
    if (view.Get()->generation != before && pid && ProcessAlive(static_cast<DWORD>(pid)))
      return true;
    Sleep(50);
  }
  return false;
}
