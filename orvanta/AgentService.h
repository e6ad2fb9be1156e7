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
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "orvanta/AgentStore.h"
#include "orvanta/ProfileRules.h"

// What one client (one user manager object) last stored of each account's profile: the
// revision it made the change on and the revision its change produced. A client that
// stored a profile holds that text, still marked with the revision it started from, so
// its next change on top of its own is no change made on an older revision.
class TProfileLine {
 public:
  void Record(const std::wstring& account, const std::wstring& base, const std::wstring& produced) {
    last_[account] = {base, produced};
  }
  // True when `sent` is the revision this client's last change of the account was made
  // on and that change is still what is stored (`current`).
  bool Continues(const std::wstring& account, const std::wstring& sent,
                 const std::wstring& current) const {
    const auto it = last_.find(account);
    return it != last_.end() && it->second.first == sent && it->second.second == current;
  }

 private:
  std::map<std::wstring, std::pair<std::wstring, std::wstring>> last_;
};

class TAgentService {
 public:
  // Both folders end in a backslash. On first start the store of an earlier version in
  // `legacyFolder` (none when empty) is taken over, else the demo data is seeded.
  explicit TAgentService(std::wstring dataFolder, std::wstring legacyFolder = {});

  // Brings the store up to date (filling it on first start).
  void Start();

  // Where publishing tells whether an account is online (PublishSettings.h): nothing for
  // an account not configured for it, whose stored on-line flag then stands.
  using TPublishedOnline = std::function<std::optional<bool>(const std::wstring& accountId)>;
  void SetPublishedOnline(TPublishedOnline publishedOnline) { publishedOnline_ = std::move(publishedOnline); }

  int GetUserState();
  std::wstring GetAuthorization();
  void SetAnswer(const std::wstring& answer);
  void ChangeUser(const std::wstring& accountKey);
  void ResendAccountKey(const std::wstring& domain);
  std::wstring GetUserProfile(int mode);
  // Refuses (ProfileChanged) a profile made on a revision older than the stored one,
  // unless it continues `line`'s own last change; a text without a revision is taken
  // as made on the stored one. The checks of the protected fields and of the domain
  // compare with the stored profile, which is then the one the client was given.
  void PutUserProfile(const std::wstring& xml, int flag, TProfileLine* line = nullptr);
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
  // Fails naming the current account when its key or answer does not open here.
  void RefuseUnreadableCurrent();
  TProfileFacts Facts(const std::wstring& accountId);
  const TAccount* AccountOfDomain(const std::wstring& domain);
  bool DomainInUse(const std::wstring& domain, const std::wstring& exceptAccount);
  void SaveSession(const std::wstring& account, int userState, bool online);
  void Mail(const std::wstring& kind, const std::wstring& to, const std::wstring& subject,
            const std::wstring& body);

  TAgentStore store_;
  TPublishedOnline publishedOnline_;
  std::wstring authorization_;
  std::map<std::wstring, std::pair<std::wstring, TProfileFacts>> factsCache_;
};

// A new account key: four groups of four capitals and digits, without the easily
// confused 0/O and 1/I.
std::wstring NewAccountKey();

// True when `expiry` (an OLE date) lies before the current local time.
bool IsExpired(double expiry);
