// How the state poll lives through a failing or lost agent. A run of failing ticks is
// reported once, with a beep and the agent's own text (or that it cannot be reached)
// in the popup, not ten times a second; the next run of failures after a good tick is
// reported again. A failure that means the agent's process is gone marks the agent
// lost: both references are then created again, at most once a second, until that
// works; the held documents and their marks are left as they are.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "toolkit/Exception.h"

// A poll step's failure whose text the step has shown itself: the run of failures it
// starts still beeps once, but the text is not shown a second time.
class EToldFailure : public EError {
 public:
  using EError::EError;
};

class TAgentHealth {
 public:
  // How often a lost agent is looked for.
  static constexpr ULONGLONG kReconnectIntervalMs = 1000;

  // Called before a tick: true when the tick may go ahead. While the agent is lost it
  // tries to connect (at most once a second) and answers whether that worked.
  bool ReadyForTick();
  // Ends the run of failures, and the agent's outage if there was one.
  void TickSucceeded();
  // Beeps and tells the popup when this failure starts a run of failures; marks the
  // agent lost when the failure says its process is gone.
  void TickFailed(const std::exception_ptr& failure);

  bool Lost() const { return lost_; }

  // The beep, replaceable by tests; by default PollBeep().
  std::function<void()> OnBeep;

 private:
  bool failing_ = false;
  bool lost_ = false;
  ULONGLONG lastAttempt_ = 0;
};

// The system's default beep. A test that wants to count the beeps of a running program
// creates the semaphore named by PollBeepSemaphoreName(<its process id>), which every
// beep then releases once.
void PollBeep();
inline std::wstring PollBeepSemaphoreName(DWORD processId) {
  return L"Local\\VTUserCnfg.PollBeep." + std::to_wstring(processId);
}
