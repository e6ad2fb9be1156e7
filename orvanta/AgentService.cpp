#include "orvanta/AgentService.h"

#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <random>

#include "orvanta/DataFolder.h"
#include "orvanta/DemoData.h"
#include "orvanta/DomainRules.h"
#include "orvanta/ErrorTexts.h"
#include "orvanta/Outbox.h"
#include "orvanta/StoreLock.h"

namespace {

std::mt19937_64& Random() {
  static std::mt19937_64 engine{std::random_device{}()};
  return engine;
}

std::wstring NewAuthorization() {
  wchar_t text[32];
  swprintf(text, 32, L"AUTH-%016llX", static_cast<unsigned long long>(Random()()));
  return text;
}

double Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  double date = 0;
  SystemTimeToVariantTime(&now, &date);
  return date;
}

}  // namespace

std::wstring NewAccountKey() {
  static constexpr wchar_t kAlphabet[] = L"ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
  std::uniform_int_distribution<size_t> pick(0, std::size(kAlphabet) - 2);
  std::wstring key;
  for (int group = 0; group < 4; ++group) {
    if (group) key.push_back(L'-');
    for (int i = 0; i < 4; ++i) key.push_back(kAlphabet[pick(Random())]);
  }
  return key;
}

bool IsExpired(double expiry) { return expiry < Now(); }

TAgentService::TAgentService(std::wstring dataFolder, std::wstring legacyFolder)
    : store_(std::move(dataFolder), [legacy = std::move(legacyFolder)](const std::wstring& folder) {
        if (legacy.empty() || !AdoptLegacyStore(legacy, folder))
          TAgentStore::WriteAll(folder, DemoData(LocalToday()));
      }) {}

void TAgentService::Start() {
  Fresh();
  RefuseUnreadableCurrent();
}

void TAgentService::RefuseUnreadableCurrent() {
  const TStoreData& data = store_.Data();
  const auto& unreadable = data.unreadable;
  if (std::find(unreadable.begin(), unreadable.end(), data.session.currentAccount) != unreadable.end())
    throw TAgentError(TAgentFault::SecretUnreadable, data.session.currentAccount);
}

const TStoreData& TAgentService::Fresh() {
  // A store changed behind the agent's back (a reset, a test) starts a new session.
  if (store_.Refresh()) {
    authorization_.clear();
    factsCache_.clear();
  }
  return store_.Data();
}

const TAccount* TAgentService::CurrentAccount() {
  const TStoreData& data = Fresh();
  if (data.session.currentAccount.empty()) return nullptr;
  for (const TAccount& a : data.accounts)
    if (a.id == data.session.currentAccount)
      return data.profiles.count(a.id) ? &a : nullptr;
  return nullptr;
}

const TAccount& TAgentService::RequireUser() {
  const TAccount* account = CurrentAccount();
  if (!account) RefuseUnreadableCurrent();
  if (!account) throw TAgentError(TAgentFault::NoUser);
  return *account;
}

TProfileFacts TAgentService::Facts(const std::wstring& accountId) {
  const auto stored = store_.Data().profiles.find(accountId);
  if (stored == store_.Data().profiles.end()) return {};
  auto& cached = factsCache_[accountId];
  if (cached.first != stored->second || cached.first.empty()) {
    try {
      cached.second = ReadFacts(ParseDocument(stored->second, L"UserInfo").Root());
    } catch (const TAgentError& e) {
      factsCache_.erase(accountId);
      throw TAgentError(TAgentFault::StoreCorrupt,
                        std::wstring(store_files::kProfiles) + accountId + L".xml (" +
                            e.Description() + L")");
    }
    cached.first = stored->second;
  }
  return cached.second;
}

const TAccount* TAgentService::AccountOfDomain(const std::wstring& domain) {
  for (const TAccount& a : Fresh().accounts)
    if (store_.Data().profiles.count(a.id) && SameName(Facts(a.id).domain, domain)) return &a;
  return nullptr;
}

bool TAgentService::DomainInUse(const std::wstring& domain, const std::wstring& exceptAccount) {
  const TAccount* owner = AccountOfDomain(domain);
  if (owner && owner->id != exceptAccount) return true;
  for (const TRegisteredDomain& d : store_.Data().registry)
    if (SameName(d.name, domain)) return true;
  return false;
}

void TAgentService::SaveSession(const std::wstring& account, int userState, bool online) {
  TSessionState session;
  session.currentAccount = account;
  session.userState = userState;
  session.online = online;
  store_.SaveSession(session);
}

void TAgentService::Mail(const std::wstring& kind, const std::wstring& to,
                         const std::wstring& subject, const std::wstring& body) {
  if (TrimBlanks(to).empty()) throw TAgentError(TAgentFault::NoEmail);
  PostMail(store_.Folder() + store_files::kOutbox, {kind, to, subject, body});
}

int TAgentService::GetUserState() {
  if (!CurrentAccount()) return 1;
  return store_.Data().session.userState == 2 ? 2 : 3;
}

bool TAgentService::IsOnline() {
  if (GetUserState() != 2) return false;
  // A published account is online when its last update was accepted, not by its flag.
  if (publishedOnline_)
    if (const std::optional<bool> published = publishedOnline_(store_.Data().session.currentAccount))
      return *published;
  return store_.Data().session.online;
}

int TAgentService::SignIn() {
  const TStoreLock change(store_.Folder());
  const TAccount& account = RequireUser();
  if (IsExpired(account.expiry)) throw TAgentError(TAgentFault::AccountExpired);
  if (store_.Data().session.userState != 2 || !store_.Data().session.online)
    SaveSession(account.id, 2, true);
  return 2;
}

void TAgentService::SignOut() {
  const TStoreLock change(store_.Folder());
  const TAccount& account = RequireUser();
  authorization_.clear();
  if (store_.Data().session.userState != 3) SaveSession(account.id, 3, false);
}

void TAgentService::ChangeUser(const std::wstring& accountKey) {
  const std::wstring key = TrimBlanks(accountKey);
  if (key.empty()) throw TAgentError(TAgentFault::EmptyKey);
  const TStoreLock change(store_.Folder());
  for (const TAccount& a : Fresh().accounts) {
    if (!SameName(a.key, key)) continue;
    if (!store_.Data().profiles.count(a.id))
      throw TAgentError(TAgentFault::StoreCorrupt,
                        std::wstring(store_files::kProfiles) + a.id + L".xml");
    const std::wstring id = a.id;  // `a` lives in the store, which the save replaces
    const bool expired = IsExpired(a.expiry);
    authorization_.clear();
    SaveSession(id, expired ? 3 : 2, !expired);
    return;
  }
  // The key may be one of the accounts this machine cannot read: say which they are.
  const std::vector<std::wstring>& unreadable = store_.Data().unreadable;
  if (!unreadable.empty()) {
    std::wstring names;
    for (const std::wstring& id : unreadable) names += (names.empty() ? L"" : L"、") + id;
    throw TAgentError(TAgentFault::SecretUnreadable, names);
  }
  throw TAgentError(TAgentFault::UnknownKey);
}

std::wstring TAgentService::GetAuthorization() {
  RequireUser();
  return authorization_;
}

void TAgentService::SetAnswer(const std::wstring& answer) {
  const TAccount& account = RequireUser();
  const std::wstring expected = TrimBlanks(Facts(account.id).answer);
  const std::wstring given = TrimBlanks(answer);
  const bool accepted = !expected.empty() && SameName(given, expected);
  if (!accepted)
    authorization_.clear();
  else if (authorization_.empty())
    authorization_ = NewAuthorization();
}

void TAgentService::ResendAccountKey(const std::wstring& domain) {
  const std::wstring name = TrimBlanks(domain);
  if (name.empty()) throw TAgentError(TAgentFault::EmptyDomain);
  const TAccount* account = AccountOfDomain(name);
  if (!account) throw TAgentError(TAgentFault::UnknownDomain, name);
  const TProfileFacts facts = Facts(account->id);
  Mail(L"AccountKey", facts.email, L"您的注册码",
       L"域名 " + facts.domain + L" 的注册码是：" + account->key);
}

void TAgentService::RebuildAccountKey() {
  const TStoreLock change(store_.Folder());
  TAccount account = RequireUser();
  const TProfileFacts facts = Facts(account.id);
  if (TrimBlanks(facts.email).empty()) throw TAgentError(TAgentFault::NoEmail);
  std::vector<TAccount> accounts = store_.Data().accounts;
  std::wstring key;
  do {
    key = NewAccountKey();
  } while (std::any_of(accounts.begin(), accounts.end(),
                       [&](const TAccount& a) { return SameName(a.key, key); }));
  for (TAccount& a : accounts)
    if (a.id == account.id) a.key = key;
  store_.SaveAccounts(accounts);
  Mail(L"AccountKey", facts.email, L"您的新注册码",
       L"出于安全考虑，域名 " + facts.domain + L" 已生成新的注册码：" + key +
           L"\r\n原来的注册码已经失效。");
}

void TAgentService::ResendAnswer() {
  const TAccount& account = RequireUser();
  const TProfileFacts facts = Facts(account.id);
  Mail(L"Answer", facts.email, L"安全问题的答案",
       L"问题：" + facts.question + L"\r\n答案：" + facts.answer);
}

std::wstring TAgentService::GetUserProfile(int mode) {
  if (mode != 0 && mode != -1)
    throw TAgentError(TAgentFault::InvalidMode, std::to_wstring(mode));
  RequireUser();
  // Reloading re-reads the service's copy, which for this agent is the store on disk.
  if (mode == -1) store_.Reload();
  const TAccount& account = RequireUser();
  const std::wstring& stored = store_.Data().profiles.at(account.id);
  try {
    return ProfileForClient(stored);
  } catch (const TAgentError& e) {
    throw TAgentError(TAgentFault::StoreCorrupt, std::wstring(store_files::kProfiles) +
                                                     account.id + L".xml (" + e.Description() +
                                                     L")");
  }
}

void TAgentService::PutUserProfile(const std::wstring& xml, int /*flag: always -1*/,
                                   TProfileLine* line) {
  // The revision is checked against the stored profile and the new one written with no
  // other process's write between them.
  const TStoreLock change(store_.Folder());
  const TAccount& account = RequireUser();
  const std::wstring id = account.id;
  const TXmlDoc doc = ParseDocument(xml, L"UserInfo");
  const std::wstring base = SentRevision(doc.Root());
  const std::wstring current = ProfileRevision(store_.Data().profiles.at(id));
  if (!base.empty() && base != current && !(line && line->Continues(id, base, current)))
    throw TAgentError(TAgentFault::ProfileChanged);
  const TProfileFacts sent = ReadFacts(doc.Root());
  const TProfileFacts stored = Facts(id);
  if (ProtectedFieldsChanged(stored, sent) && authorization_.empty())
    throw TAgentError(TAgentFault::AnswerNotAccepted);
  if (sent.domain != stored.domain) {
    if (!IsValidDomainName(sent.domain))
      throw TAgentError(TAgentFault::InvalidDomainName, sent.domain);
    if (DomainInUse(sent.domain, id)) throw TAgentError(TAgentFault::DomainTaken, sent.domain);
  }
  store_.SaveProfile(id, xml);
  if (line && !base.empty()) line->Record(id, base, ProfileRevision(xml));
}

std::wstring TAgentService::GetAppProfile() {
  const std::wstring& stored = Fresh().localSetting;
  return stored.empty() ? DefaultLocalSetting() : stored;
}

void TAgentService::PutAppProfile(const std::wstring& xml) {
  Fresh();
  ParseDocument(xml, L"LocalSetting");
  store_.SaveLocalSetting(xml);
}

std::vector<std::wstring> TAgentService::FindDomains(const std::wstring& pattern) {
  const std::wstring wanted = TrimBlanks(pattern);
  std::vector<std::wstring> found;
  if (wanted.empty()) return found;
  auto consider = [&](const std::wstring& name) {
    if (!MatchesPattern(name, wanted)) return;
    for (const std::wstring& f : found)
      if (SameName(f, name)) return;
    found.push_back(name);
  };
  for (const TAccount& a : Fresh().accounts)
    if (store_.Data().profiles.count(a.id)) consider(Facts(a.id).domain);
  for (const TRegisteredDomain& d : store_.Data().registry) consider(d.name);
  // Names that begin with the text come first, as a user typing a name's start expects.
  std::sort(found.begin(), found.end(), [&](const std::wstring& a, const std::wstring& b) {
    const bool aFirst = BeginsWith(a, wanted), bFirst = BeginsWith(b, wanted);
    return aFirst != bFirst ? aFirst : NameLess(a, b);
  });
  if (found.size() > kMaxFound) found.resize(kMaxFound);
  return found;
}

int TAgentService::GetDomainSequence(const std::wstring& domain) {
  const std::wstring name = TrimBlanks(domain);
  if (name.empty()) return 0;
  if (const TAccount* account = AccountOfDomain(name)) return account->sequence;
  for (const TRegisteredDomain& d : store_.Data().registry)
    if (SameName(d.name, name)) return d.sequence;
  return 0;
}

std::vector<std::wstring> TAgentService::GetDomainList() { return Fresh().suffixes; }

double TAgentService::GetExpiryDate() { return RequireUser().expiry; }

int TAgentService::GetServiceType() { return RequireUser().serviceType; }
