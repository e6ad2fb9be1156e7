// How long the agent's process lives. Every live object and every LockServer holds
// the server; when the count drops to zero the server loop is told, and an agent
// started by COM ends once it stayed unused for a while (see ComServer).
#pragma once

void ServerLock();
void ServerUnlock();
long ServerLockCount();

// The thread running the server loop receives this message when the count reaches 0.
constexpr unsigned kServerIdleMessage = 0x8000 + 0x51;  // WM_APP + 0x51

// Names the thread that gets kServerIdleMessage (0: none).
void SetServerThread(unsigned long threadId);
