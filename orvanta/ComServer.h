// The agent as a local COM server: class objects for CoSvcInvoker and CoUserManager,
// registered for every client of the session, and the message loop that serves them.
//
// How long it runs depends on how it was started:
//   started by COM ("-Embedding")  ends kIdleLingerMs after its last client left (or,
//                                  if no client ever comes, that long after start);
//   started without a switch       runs until asked to quit or the session ends;
//   started as the service         runs until the service is stopped.
// Any agent also ends on "Orvanta.exe -Quit"; "-Restart" makes a background or COM-
// started agent hand over to a fresh process of itself (see AgentPresence). A second
// background agent started while one serves ends at once.
#pragma once
#include <windows.h>

enum class TServeMode { Embedding, Background, Service };

constexpr DWORD kIdleLingerMs = 2000;

// Serves until the end condition of `mode` or until `stopEvent` (may be null) is set.
// The calling thread must have entered a single-threaded apartment. Returns the
// process exit code.
int RunComServer(TServeMode mode, HANDLE stopEvent);
