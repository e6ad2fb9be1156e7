// The simulated service's data, kept in XML files in the agent's data folder:
//   Accounts.xml      accounts: key, service type, expiry, domain sequence number
//   State.xml         current account, sign-in state, on-line flag
//   Domains.xml       domain suffixes offered for registration; other accounts' domains
//   LocalSetting.xml  the local settings text, exactly as the program sent it
//   Profiles\<id>.xml each account's UserInfo text, exactly as the program sent it
// Keys and security answers are sealed at rest (Secrets.h): the copy in memory holds
// them open, the files sealed; a store written by an earlier version in clear text is
// sealed once as it is read. An account whose key or answer does not open on this
// machine stays in its files as it is and is not used.
// The store re-reads everything when any file changed on disk (so a test or
// "Orvanta.exe -Reset" can set a state while the agent runs) and writes each file
// atomically after a change. Its reloads and writes hold the store's lock, which the
// agents and "-Reset" share (StoreLock.h); one change of the store (reading what it
// builds on, then writing) holds it throughout through a TStoreLock on Folder().
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "orvanta/FileIo.h"

struct TAccount {
  std::wstring id;   // names the profile file; letters, digits, '-' and '_'
  std::wstring key;  // the account key that selects this account
  int serviceType = 1;
  double expiry = 0;  // OLE date
  int sequence = 0;   // the sequence number of the account's domain
  std::wstring sealedKey;  // the stored key when it does not open here; written back as it is
};

struct TRegisteredDomain {
  std::wstring name;
  int sequence = 0;
};

struct TSessionState {
  std::wstring currentAccount;  // empty: no current account
  int userState = 3;            // 2 signed in, 3 signed out (1 is derived, never stored)
  bool online = false;
};

struct TStoreData {
  std::vector<TAccount> accounts;
  TSessionState session;
  std::vector<std::wstring> suffixes;
  std::vector<TRegisteredDomain> registry;  // domains of accounts this agent does not hold
  std::wstring localSetting;
  std::map<std::wstring, std::wstring> profiles;  // account id -> stored UserInfo text
  std::vector<std::wstring> unreadable;  // accounts whose key or answer does not open here
};

namespace store_files {
constexpr wchar_t kAccounts[] = L"Accounts.xml";
constexpr wchar_t kState[] = L"State.xml";
constexpr wchar_t kDomains[] = L"Domains.xml";
constexpr wchar_t kLocalSetting[] = L"LocalSetting.xml";
constexpr wchar_t kProfiles[] = L"Profiles\\";
constexpr wchar_t kOutbox[] = L"Outbox\\";
}  // namespace store_files

class TAgentStore {
 public:
  // Fills a folder that holds no accounts yet (first start): takes over an earlier
  // store, or writes the demo data.
  using TFirstFill = std::function<void(const std::wstring& folder)>;

  // `folder` ends in a backslash.
  TAgentStore(std::wstring folder, TFirstFill firstFill);

  const std::wstring& Folder() const { return folder_; }

  // Brings the copy in memory up to date: fills the folder when it holds no accounts
  // yet, re-reads every file when any of them changed. True when it (re)loaded.
  // Raises TAgentError(StoreCorrupt) naming the file that cannot be read.
  bool Refresh();
  // Re-reads every file now.
  void Reload();

  const TStoreData& Data() const { return data_; }

  void SaveSession(const TSessionState& session);
  void SaveAccounts(const std::vector<TAccount>& accounts);
  void SaveLocalSetting(const std::wstring& text);
  void SaveProfile(const std::wstring& accountId, const std::wstring& text);

  // Writes a whole store (first start, reset) into the folder, with the store's lock
  // (StoreLock.h): other agents reload all of it or nothing of it.
  static void WriteAll(const std::wstring& folder, const TStoreData& data);

 private:
  std::vector<std::wstring> TrackedFiles() const;
  std::map<std::wstring, TFileStamp> CurrentStamps() const;
  void Remember(const std::wstring& file);
  void SealClearSecrets(bool accounts, const std::vector<std::wstring>& profiles);

  std::wstring folder_;
  TFirstFill firstFill_;
  TStoreData data_;
  bool loaded_ = false;
  std::map<std::wstring, TFileStamp> stamps_;
};

// Text forms the store's files use: integers in decimal, reals with a '.' point
// whatever the locale, booleans "True"/"False".
std::wstring FormatReal(double value);
bool ParseReal(const std::wstring& text, double& value);
bool ParseInt(const std::wstring& text, int& value);
bool ParseBool(const std::wstring& text, bool& value);
