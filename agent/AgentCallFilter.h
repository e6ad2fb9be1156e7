// Keeps the window alive while an agent call waits. Every call to the agent is a
// synchronous call into its process; if the agent hangs, COM's modal loop on the
// window thread is all that runs. A COM message filter hooks that loop: while a call
// waits it dispatches the thread's messages itself (painting, typing, clicks, timers),
// tells once, after a few seconds, that the agent does not answer, and when the main
// window is closed meanwhile (Cancel, the close box) ends the process at once instead of
// waiting for an answer that may never come.
//
// Wine's modal loop wakes only for posted, sent and paint messages (not for input or
// timers), so once a call has waited long enough for the user to be told, a small
// thread posts a wake-up message every 100 ms until it returns.
//
// One call at a time: a handler that runs inside the wait and would call the agent
// again gets an EOleError (RPC_E_CALL_REJECTED, "the agent does not answer") at once,
// instead of stacking a second call on a hung agent and re-entering code that is
// halfway through the first.
#pragma once
#include <functional>
#include <string>

// Marks one agent call for its lifetime; raises when another is still waiting.
class TAgentCallScope {
 public:
  TAgentCallScope();
  TAgentCallScope(const TAgentCallScope&) = delete;
  TAgentCallScope& operator=(const TAgentCallScope&) = delete;
  ~TAgentCallScope();
};

// True while an agent call of this thread waits for its answer.
bool AgentCallPending();

// The text shown when the agent does not answer.
std::wstring AgentNotAnsweringText();

// How long a call waits before the user is told.
constexpr unsigned long kAgentNotAnsweringMs = 3000;

// Registers the message filter on the calling (window) thread, which must be in a
// single-threaded apartment, and starts the wake-up thread. `notify` is called once per
// waiting call, on the window thread, when it has waited kAgentNotAnsweringMs.
void InstallAgentCallFilter(std::function<void(const std::wstring&)> notify);
// Revokes the filter and ends the wake-up thread.
void RemoveAgentCallFilter();
