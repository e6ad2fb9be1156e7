// The simulated service behind CoUserManager: every operation of the agent's user
// manager with its meaning, over the store in the data folder.
//
// Sign-in state: 1 when there is no usable current account (none chosen, or its
// profile file is missing), otherwise the stored state, 2 signed in or 3 signed out.
// Operations that need the current account fail with the "no usable user" text in
// state 1. The security-answer authorization lives only in memory: it is given by a
// matching SetAnswer and ends with a wrong answer, a change of user, a sign-out, or a
// store changed from outside.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "orvanta/AgentStore.h"
#include "orvanta/ProfileRules.h"

class TAgentService {
 public:
  // `dataFolder` ends in a backslash; the demo data is seeded there on first start.
  explicit TAgentService(std::wstring dataFolder);

  // Brings the store up to date (seeding it on first start).
  void Start();

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
  double GetExpiryDate();
  int GetServiceType();
  int GetDomainSequence(const std::wstring& domain);
  bool IsOnline();
  int SignIn();
  void SignOut();
  std::vector<std::wstring> GetDomainList();

  // At most this many names come back from one domain search.
  static constexpr size_t kMaxFound = 100;

 private:
  const TStoreData& Fresh();
  const TAccount* CurrentAccount();
  const TAccount& RequireUser();
  TProfileFacts Facts(const std::wstring& accountId);
  const TAccount* AccountOfDomain(const std::wstring& domain);
  bool DomainInUse(const std::wstring& domain, const std::wstring& exceptAccount);
  void SaveSession(const std::wstring& account, int userState, bool online);
  void Mail(const std::wstring& kind, const std::wstring& to, const std::wstring& subject,
            const std::wstring& body);

  TAgentStore store_;
  std::wstring authorization_;
  std::map<std::wstring, std::pair<std::wstring, TProfileFacts>> factsCache_;
};

// A new account key: four groups of four capitals and digits, without the easily
// confused 0/O and 1/I.
std::wstring NewAccountKey();

// True when `expiry` (an OLE date) lies before the current local time.
bool IsExpired(double expiry);
