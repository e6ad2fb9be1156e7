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
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
  if (!process) return false;
  const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return alive;
}

class TRecordView {
 public:
  TRecordView() {
    mapping_ = OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, kRecordName);
    if (mapping_)
      record_ = static_cast<TRecord*>(
          MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TRecord)));
  }
  TRecordView(const TRecordView&) = delete;
  TRecordView& operator=(const TRecordView&) = delete;
  ~TRecordView() {
    if (record_) UnmapViewOfFile(record_);
    if (mapping_) CloseHandle(mapping_);
  }
  TRecord* Get() const { return record_; }

 private:
  HANDLE mapping_ = nullptr;
  TRecord* record_ = nullptr;
};

bool AnyAgentLeft() {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, kRecordName);
  if (!mapping) return false;  // the record lives only while some agent holds it
  CloseHandle(mapping);
  return true;
}

}  // namespace

TAgentPresence::TAgentPresence() {
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TRecord),
                                kRecordName);
  if (mapping_)
    record_ = static_cast<TRecord*>(
        MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(TRecord)));
  quit_ = CreateEventW(nullptr, TRUE, FALSE, kQuitName);
  restart_ = CreateEventW(nullptr, FALSE, FALSE, kRestartName);
}

TAgentPresence::~TAgentPresence() {
  Withdraw();
  if (record_) UnmapViewOfFile(record_);
  if (mapping_) CloseHandle(mapping_);
  if (quit_) CloseHandle(quit_);
  if (restart_) CloseHandle(restart_);
}

bool TAgentPresence::OtherAgentServing() const {
  if (!record_) return false;
  const DWORD pid = static_cast<DWORD>(record_->pid);
  return pid && pid != GetCurrentProcessId() && ProcessAlive(pid);
}

void TAgentPresence::Announce() {
  if (!record_) return;
  InterlockedExchange(&record_->pid, static_cast<LONG>(GetCurrentProcessId()));
  InterlockedIncrement(&record_->generation);
}

void TAgentPresence::Withdraw() {
  if (record_)
    InterlockedCompareExchange(&record_->pid, 0, static_cast<LONG>(GetCurrentProcessId()));
}

bool QuitRunningAgents(DWORD timeoutMs) {
  HANDLE quit = OpenEventW(EVENT_MODIFY_STATE, FALSE, kQuitName);
  if (!quit) return !AnyAgentLeft();
  SetEvent(quit);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool gone = false;
  while (!(gone = !AnyAgentLeft()) && GetTickCount64() < deadline) Sleep(50);
  // An agent started after this must not find the event still set.
  ResetEvent(quit);
  CloseHandle(quit);
  return gone;
}

bool RestartRunningAgent(DWORD timeoutMs) {
  TRecordView view;  // holding the record keeps its count across the hand-over
  HANDLE restart = OpenEventW(EVENT_MODIFY_STATE, FALSE, kRestartName);
  if (!view.Get() || !restart) {
    if (restart) CloseHandle(restart);
    return false;
  }
  const LONG before = view.Get()->generation;
  SetEvent(restart);
  CloseHandle(restart);
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < deadline) {
    const LONG pid = view.Get()->pid;
    if (view.Get()->generation != before && pid && ProcessAlive(static_cast<DWORD>(pid)))
      return true;
    Sleep(50);
  }
  return false;
}
