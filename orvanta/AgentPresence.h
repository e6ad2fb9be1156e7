// How agents of one session find each other. A running agent keeps a small shared
// record (a named file mapping: how many times an agent announced itself, and the
// process id of the one serving now) and watches two named events: "quit" (every
// agent ends) and "restart" (the serving agent hands over to a fresh process of
// itself). "-Quit" and "-Restart" use them.
//
// A restarted agent is started by the agent itself, not by the caller, so it never
// inherits the caller's output handles: under Wine a process started from a test
// would otherwise hold the test's stderr pipe open and keep the test runner waiting.
#pragma once
#include <windows.h>

#include "toolkit/Handle.h"

class TAgentPresence {
 public:
  TAgentPresence();
  TAgentPresence(const TAgentPresence&) = delete;
  TAgentPresence& operator=(const TAgentPresence&) = delete;
  ~TAgentPresence();

  // True when another live process is announced as the serving agent.
  bool OtherAgentServing() const;
  // Called once the class objects are registered.
  void Announce();
  // Called when this agent stops serving.
  void Withdraw();

  HANDLE QuitEvent() const { return quit_.Get(); }
  HANDLE RestartEvent() const { return restart_.Get(); }

 private:
  TKernelHandle mapping_;
  TMappedView<struct TRecord> record_;
  TKernelHandle quit_;
  TKernelHandle restart_;
};

// "-Quit": signals every agent of the session to end and waits up to `timeoutMs` for
// all of them to be gone. True when none is left.
bool QuitRunningAgents(DWORD timeoutMs);

// "-Restart": asks the serving agent to hand over to a fresh process and waits up to
// `timeoutMs` for the new one to announce itself. False when no agent runs or the new
// one did not come up in time.
bool RestartRunningAgent(DWORD timeoutMs);
