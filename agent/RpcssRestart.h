// Wine's COM activation service (the "RpcSs" service) keeps a class object that a
// server registered until that server revokes it, even after its process is gone:
// every later activation of the class then reaches the dead process and fails with
// RPC_S_SERVER_UNAVAILABLE, and a new server's registration is queued behind the dead
// one. Windows notices a dead server by itself. Restarting the service makes it forget
// every registration, so the next activation starts (or finds) a live server. Shared
// by the program (when an activation reaches a dead agent) and the agent (when it
// starts after one was killed).
#pragma once

// True when the process runs under Wine.
bool IsWineHost();

// Stops the "RpcSs" service and starts it again, waiting up to `timeoutMs` for each
// step. False when the service could not be restarted.
bool RestartComActivationService(unsigned long timeoutMs = 5000);
