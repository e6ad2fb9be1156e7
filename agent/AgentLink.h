// The program's side of the agent: typed calls over the agent's COM interfaces. Every
// failing call raises EOleError carrying the agent's own failure description.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "agent/AgentIntf.h"
#include "toolkit/ComPtr.h"

// Sign-in states reported by GetUserState.
enum TUserState : int {
  usNoUser = 1,     // the agent has no usable current user
  usSignedIn = 2,
  usSignedOut = 3,  // signed out, but the account is known
};

// Modes of GetUserProfile.
constexpr int kProfileCurrent = 0;
constexpr int kProfileReload = -1;

// True when a failed call means the agent's process is gone or its object no longer
// exists (disconnected, server unavailable or died, unknown object): the references
// are of no use any more and must be created again.
bool IsAgentGone(HRESULT hr);

// What the user reads while the agent cannot be reached.
std::wstring AgentUnreachableText();
// What the user reads when a call failed with this status because the agent cannot be
// used now (it does not answer, or it is gone); empty for any other status.
std::wstring AgentOutageText(HRESULT hr);

class TSvcInvokerLink {
 public:
  TSvcInvokerLink() = default;
  explicit TSvcInvokerLink(TComPtr<ISvcInvoker> invoker) : invoker_(std::move(invoker)) {}

  // Creates the agent's CoSvcInvoker (starting the agent's process if needed). A
  // failure raises EOleError whose text says what is wrong with the agent and, when
  // the system does not know it, how to register it.
  static TSvcInvokerLink Create();

  void Start();

  bool Assigned() const { return static_cast<bool>(invoker_); }
  void Reset() { invoker_.Reset(); }

 private:
  ISvcInvoker& Intf() const;
  TComPtr<ISvcInvoker> invoker_;
};

class TUserManagerLink {
 public:
  TUserManagerLink() = default;
  explicit TUserManagerLink(TComPtr<IUserManager> manager) : manager_(std::move(manager)) {}

  // Creates the agent's CoUserManager; fails as TSvcInvokerLink::Create does.
  static TUserManagerLink Create();

  int GetUserState();
  std::wstring GetAuthorization();
  void SetAnswer(const std::wstring& answer);
  void ChangeUser(const std::wstring& accountKey);
  void ResendAccountKey(const std::wstring& domain);
  std::wstring GetUserProfile(int mode);
  void PutUserProfile(const std::wstring& xml, int flag);
  std::wstring GetAppProfile();
  void PutAppProfile(const std::wstring& xml);
  void RebuildAccountKey();
  void ResendAnswer();
  std::vector<std::wstring> FindDomains(const std::wstring& pattern);
  DATE GetExpiryDate();
  int GetServiceType();
  int GetDomainSequence(const std::wstring& domain);
  bool IsOnline();
  int SignIn();
  void SignOut();
  std::vector<std::wstring> GetDomainList();

  bool Assigned() const { return static_cast<bool>(manager_); }
  void Reset() { manager_.Reset(); }
  IUserManager* Get() const { return manager_.Get(); }

 private:
  IUserManager& Intf() const;
  TComPtr<IUserManager> manager_;
};
