#include "orvanta/ServerLifetime.h"

#include <windows.h>

namespace {
LONG g_locks = 0;
DWORD g_serverThread = 0;
}  // namespace

void ServerLock() { InterlockedIncrement(&g_locks); }

void ServerUnlock() {
  // Objects are released on the apartment's thread, but a post keeps this safe from any.
  if (InterlockedDecrement(&g_locks) == 0 && g_serverThread)
    PostThreadMessageW(g_serverThread, kServerIdleMessage, 0, 0);
}

long ServerLockCount() { return InterlockedCompareExchange(&g_locks, 0, 0); }

void SetServerThread(unsigned long threadId) { g_serverThread = threadId; }
