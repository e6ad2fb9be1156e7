#include "agent/AgentCallFilter.h"

#include <windows.h>
#include <objbase.h>

#include <atomic>

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/StaticUnknown.h"

namespace {

constexpr DWORD kWakeIntervalMs = 100;

int g_depth = 0;                 // agent calls under way on the window thread
ULONGLONG g_callStart = 0;
bool g_told = false;             // the user was told about the call now waiting
std::function<void(const std::wstring&)> g_notify;

// The wake-up thread: posts WM_NULL to the window thread every kWakeIntervalMs while a
// call waits (g_waiting set), so that COM's loop calls the filter.
HANDLE g_waiting = nullptr;      // manual-reset event, set while a call is under way
HANDLE g_thread = nullptr;
DWORD g_windowThread = 0;
std::atomic<bool> g_stop{false};

DWORD WINAPI WakeLoop(void*) {
  while (WaitForSingleObject(g_waiting, INFINITE) == WAIT_OBJECT_0 && !g_stop) {
    PostThreadMessageW(g_windowThread, WM_NULL, 0, 0);
    Sleep(kWakeIntervalMs);
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
    const bool notAnswering = g_depth > 0 && GetTickCount64() - g_callStart >= kAgentNotAnsweringMs;
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
  g_callStart = GetTickCount64();
  g_told = false;
  if (g_waiting) SetEvent(g_waiting);
}

TAgentCallScope::~TAgentCallScope() {
  --g_depth;
  if (g_waiting) ResetEvent(g_waiting);
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
  g_stop = false;
  g_waiting = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  g_thread = g_waiting ? CreateThread(nullptr, 0, WakeLoop, nullptr, 0, nullptr) : nullptr;
}

void RemoveAgentCallFilter() {
  CoRegisterMessageFilter(nullptr, nullptr);
  if (g_thread) {
    g_stop = true;
    SetEvent(g_waiting);
    WaitForSingleObject(g_thread, INFINITE);
    CloseHandle(g_thread);
    g_thread = nullptr;
  }
  if (g_waiting) CloseHandle(g_waiting);
  g_waiting = nullptr;
  g_notify = nullptr;
}
