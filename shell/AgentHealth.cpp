#include "shell/AgentHealth.h"

#include <string>

#include "agent/AgentLink.h"
#include "agent/AgentOutage.h"
#include "agent/UnitDef.h"
#include "toolkit/Exception.h"
#include "toolkit/Handle.h"

namespace {

bool Told(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const EToldFailure&) {
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

bool TAgentHealth::ReadyForTick() {
  if (!lost_) return true;
  const ULONGLONG now = GetTickCount64();
  if (lastAttempt_ && now - lastAttempt_ < kReconnectIntervalMs) return false;
  lastAttempt_ = now;
  try {
    ConnectAgent();
  } catch (...) {
    TickFailed(std::current_exception());
    return false;
  }
  lost_ = false;
  return true;
}

void TAgentHealth::TickSucceeded() {
  failing_ = false;
  AgentOutageEnded();
}

void TAgentHealth::TickFailed(const std::exception_ptr& failure) {
  const bool gone = IsAgentGone(FailureStatus(failure));
  if (gone && !lost_) {
    lost_ = true;
    lastAttempt_ = 0;  // the first attempt comes with the next tick
  }
  if (failing_) return;
  failing_ = true;
  if (OnBeep)
    OnBeep();
  else
    PollBeep();
  if (!TellAgentOutageOf(failure) && !Told(failure)) ShowMessageText(ExceptionMessage(failure));
}

void PollBeep() {
  MessageBeep(MB_OK);
  const TKernelHandle counter(
      OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, PollBeepSemaphoreName(GetCurrentProcessId()).c_str()));
  if (counter) ReleaseSemaphore(counter.Get(), 1, nullptr);
}
