#include "orvanta/StoreLock.h"

#include <sddl.h>

#include <cwctype>

#include "orvanta/ErrorTexts.h"
#include "orvanta/FileIo.h"

namespace {

// A named mutex in the global namespace, so that the service in session 0 and the
// agents in the users' sessions meet; one per folder (the case of its path ignored), so
// that stores elsewhere, as the tests keep, never wait for each other.
std::wstring MutexName(const std::wstring& folder) {
  unsigned long long hash = 14695981039346656037ull;  // FNV-1a, 64 bits
  for (wchar_t c : folder) {
    hash ^= static_cast<unsigned long long>(towupper(c));
    hash *= 1099511628211ull;
  }
  wchar_t name[64];
  swprintf(name, 64, L"Global\\VeltranoAgentStore-%016llX", hash);
  return name;
}

// Whoever makes the mutex first (the service as SYSTEM, or a user's agent) must let
// every other user's agent take it: SYSTEM, the administrators and the built-in Users,
// who may modify the store's files anyway.
constexpr wchar_t kEveryAgent[] = L"D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;BU)";

HANDLE OpenStoreMutex(const std::wstring& folder) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorW(kEveryAgent, SDDL_REVISION_1, &descriptor,
                                                       nullptr);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
  HANDLE mutex = CreateMutexExW(descriptor ? &attributes : nullptr, MutexName(folder).c_str(), 0,
                                SYNCHRONIZE | MUTEX_MODIFY_STATE);
  if (descriptor) LocalFree(descriptor);
  return mutex;
}

}  // namespace

TStoreLock::TStoreLock(const std::wstring& folder) : mutex_(OpenStoreMutex(folder)) {
  if (!mutex_) return;
  switch (WaitForSingleObject(mutex_.Get(), kWaitMs)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:  // its holder died; each file it left is whole all the same
      held_ = true;
      return;
    case WAIT_TIMEOUT:
      throw TAgentError(TAgentFault::StoreWrite, PathWithReason(folder, ERROR_TIMEOUT));
    default:  // no wait possible: as without the lock
      return;
  }
}

TStoreLock::~TStoreLock() {
  if (held_) ReleaseMutex(mutex_.Get());
}
