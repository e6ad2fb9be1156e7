#include "agent/AgentCallFilter.h"

#include <windows.h>
#include <objbase.h>

#include <atomic>

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/StaticUnknown.h"
#include "toolkit/Handle.h"

namespace {

constexpr DWORD kWakeIntervalMs = 100;

int g_depth = 0;                 // agent calls under way on the window thread
bool g_told = false;             // the user was told about the call now waiting
std::function<void(const std::wstring&)> g_notify;

// Until a call has waited kAgentNotAnsweringMs nothing needs waking: painting wakes
// COM's loop by itself, and input stays queued anyway. From then on the wake-up thread
// posts WM_NULL to the window thread every kWakeIntervalMs, so that COM's loop calls the
// filter, which tells the user once and takes input again. While no call waits, it looks
// only every half of kAgentNotAnsweringMs (a call that starts meanwhile is still seen
// before it is due). Calls that return sooner cost the window thread no system call:
// the poll makes thirty a second, and an event set and reset around each one (a round
// trip to the Wine server each, plus a wake-up of this thread and a posted message) cost
// more than the calls' own share of the program's idle time.
std::atomic<ULONGLONG> g_callStart{0};  // GetTickCount64() at the call's start; 0: none
TKernelHandle g_stopEvent;
TKernelHandle g_thread;
DWORD g_windowThread = 0;

// How long the wake-up thread sleeps before it looks again at the call started at
// `start` (0: none), or 0 when the window thread is to be woken now.
DWORD WakeDelay(ULONGLONG start, ULONGLONG now) {
  if (!start) return kAgentNotAnsweringMs / 2;
  const ULONGLONG waited = now - start;
  return waited >= kAgentNotAnsweringMs ? 0 : static_cast<DWORD>(kAgentNotAnsweringMs - waited);
}

DWORD WINAPI WakeLoop(void*) {
  DWORD delay = kAgentNotAnsweringMs / 2;
  while (WaitForSingleObject(g_stopEvent.Get(), delay) == WAIT_TIMEOUT) {
    delay = WakeDelay(g_callStart.load(std::memory_order_relaxed), GetTickCount64());
    if (delay == 0) {
      PostThreadMessageW(g_windowThread, WM_NULL, 0, 0);
      delay = kWakeIntervalMs;
    }
  }
  return 0;
}

// While a call waits the window keeps painting. Input, timers and posted messages stay
// queued, in their order, until the call returns: a click handled inside the wait would
// run page code halfway through the caller's own and find the agent busy. Only once the
// agent does not answer does the window take input again, so that the user can close it;
// the end of the program then does not wait for the call.
void HandleMessagesWhileWaiting(bool notAnswering) {
  MSG msg;
  if (!notAnswering) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageW(&msg);
    return;
  }
  Application().ProcessMessages();  // hands WM_QUIT back by posting it again
  MSG quit;
  if (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) {
    // The main window is gone (Cancel or the close box): nothing is left to send, and
    // releasing the agent's objects would wait for the agent as well.
    ExitProcess(static_cast<UINT>(quit.wParam));
  }
}

class TCallFilter final : public TStaticUnknown<IMessageFilter, IID_IMessageFilter> {
 public:
  // The program serves no calls of its own.
  STDMETHODIMP_(DWORD) HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }

  // An agent that is busy with another client's call may ask us to come again: retry
  // every 100 ms for as long as the user is not yet told that it does not answer.
  STDMETHODIMP_(DWORD) RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) override {
    if (rejectType == SERVERCALL_RETRYLATER && elapsedMs < kAgentNotAnsweringMs) return 100;
    return static_cast<DWORD>(-1);  // cancel: the call fails with RPC_E_CALL_REJECTED
  }

  STDMETHODIMP_(DWORD) MessagePending(HTASK, DWORD, DWORD) override {
    // The wait is measured from the call's start as this program sees it.
    const ULONGLONG start = g_callStart.load(std::memory_order_relaxed);
    const bool notAnswering = start && GetTickCount64() - start >= kAgentNotAnsweringMs;
    if (notAnswering && !g_told) {
      g_told = true;
      if (g_notify) g_notify(AgentNotAnsweringText());
    }
    HandleMessagesWhileWaiting(notAnswering);
    return PENDINGMSG_WAITNOPROCESS;
  }
};

TCallFilter g_filter;

}  // namespace

TAgentCallScope::TAgentCallScope() {
  if (g_depth > 0)
    throw EOleError(RPC_E_CALL_REJECTED, AgentNotAnsweringText());
  ++g_depth;
  g_told = false;
  g_callStart.store(GetTickCount64(), std::memory_order_relaxed);
}

TAgentCallScope::~TAgentCallScope() {
  --g_depth;
  g_callStart.store(0, std::memory_order_relaxed);
}

bool AgentCallPending() { return g_depth > 0; }

std::wstring AgentNotAnsweringText() {
  return L"代理程序 Orvanta.exe 没有响应。可以继续等待，或按“取消”关闭本程序（未发送的修改将丢失）。";
}

void InstallAgentCallFilter(std::function<void(const std::wstring&)> notify) {
  g_notify = std::move(notify);
  if (g_thread) return;
  if (FAILED(CoRegisterMessageFilter(&g_filter, nullptr))) return;
  g_windowThread = GetCurrentThreadId();
  g_stopEvent = TKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (g_stopEvent) g_thread = TKernelHandle(CreateThread(nullptr, 0, WakeLoop, nullptr, 0, nullptr));
}

void RemoveAgentCallFilter() {
  CoRegisterMessageFilter(nullptr, nullptr);
  if (g_thread) {
    SetEvent(g_stopEvent.Get());
    WaitForSingleObject(g_thread.Get(), INFINITE);
    g_thread.Reset();
  }
  g_stopEvent.Reset();
  g_notify = nullptr;
}
