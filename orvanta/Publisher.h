// The worker that keeps each account the administrator configured for publishing
// ("-Publish") pointed where its profile says, on the name server the local settings
// name (Host), by signed dynamic updates. It runs on a thread of its own, so no COM
// call of the agent ever waits for the network; it reads the store the way every
// agent process does (taking the store's lock only for the moment of a read or a
// write) and wakes when the data folder changes, when its check interval (HeartBeat,
// or the test-only CheckSeconds) passes, and when a failed update is due again.
//
// Each account converges: while it is the current account and signed in, its online
// content is published, otherwise its offline choice; the machine's address is asked
// at sign-in and every interval, and a change is published at once. An update is sent
// only when what it would say differs from the last accepted one; a refused or
// unanswered one is tried again after 2, 4, 8 ... seconds, at most the interval.
#pragma once
#include <windows.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "orvanta/PublishSettings.h"

class TPublisher {
 public:
  // `folder` is the data folder, ending in a backslash.
  explicit TPublisher(std::wstring folder);
  TPublisher(const TPublisher&) = delete;
  TPublisher& operator=(const TPublisher&) = delete;
  ~TPublisher();

  void Start();
  // Ends the worker. With `publishOffline`, each account it left online gets its
  // offline choice first (one try, a few seconds at most): the agent is stopping.
  void Stop(bool publishOffline);

  // Whether the account is online as publishing defines it: its last update reached the
  // name server and was accepted, with the online content. Nothing when the account is
  // not configured for publishing (the agent's own flag stands then).
  std::optional<bool> Online(const std::wstring& accountId) const;
  // Why the account's last update failed; empty when it did not.
  std::wstring LastFailure(const std::wstring& accountId) const;

 private:
  struct TStatus {
    std::string attempt;  // what the last update said, to tell whether anything changed
    bool accepted = false;
    bool online = false;  // the accepted update published the online content
    std::string failure;
    int failures = 0;
    ULONGLONG retryAt = 0;
  };
  class TWork;

  static DWORD WINAPI ThreadMain(void* self);
  void Run();
  void SetStatus(const std::wstring& accountId, const TStatus& status);
  std::optional<TStatus> StatusOf(const std::wstring& accountId) const;
  void SetConfigured(std::map<std::wstring, TStatus> statuses);

  std::wstring folder_;
  HANDLE stop_ = nullptr;
  bool publishOfflineAtStop_ = false;
  HANDLE thread_ = nullptr;
  mutable std::mutex mutex_;  // guards statuses_
  std::map<std::wstring, TStatus> statuses_;
};
