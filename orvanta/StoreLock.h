// The lock that keeps the processes sharing one store from working on it at the same
// time: the service, each user's agent (the Run value's or one COM started) and
// "Orvanta.exe -Reset" all read and write the same folder. Each file is replaced whole,
// but a store is several files, and an agent that reloads or changes it while a reset
// writes it would end up holding, or writing back, half of each. A whole-store write,
// a reload and one change of the store (its reading and its writing) hold the lock.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Handle.h"

class TStoreLock {
 public:
  // Waits until no other process holds the lock of the store in `folder`. Raises
  // TAgentError(StoreWrite) naming the folder when another one keeps it for longer
  // than kWaitMs. Where the lock cannot be made at all, goes on without it: each file
  // is still replaced whole. The owning thread may take it again (it is recursive).
  explicit TStoreLock(const std::wstring& folder);
  TStoreLock(const TStoreLock&) = delete;
  TStoreLock& operator=(const TStoreLock&) = delete;
  ~TStoreLock();

  // Far above what a reset takes (well under a second), so only a process that hangs
  // with the lock makes a caller give up.
  static constexpr DWORD kWaitMs = 15000;

 private:
  TKernelHandle mutex_;
  bool held_ = false;
};
