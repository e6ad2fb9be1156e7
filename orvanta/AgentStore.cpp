#include "orvanta/AgentStore.h"

#include <cwchar>
#include <cwctype>

#include "orvanta/ErrorTexts.h"
#include "orvanta/Secrets.h"
#include "orvanta/StoreLock.h"
#include "orvanta/XmlDoc.h"

using namespace store_files;

namespace {

constexpr wchar_t kDeclaration[] = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

bool ValidAccountId(const std::wstring& id) {
  if (id.empty() || id.size() > 64) return false;
  for (wchar_t c : id)
    if (!(iswalnum(c) || c == L'-' || c == L'_')) return false;
  return true;
}

std::wstring ProfileFile(const std::wstring& id) { return kProfiles + id + L".xml"; }

[[noreturn]] void Corrupt(const std::wstring& file, const std::wstring& why) {
  throw TAgentError(TAgentFault::StoreCorrupt, file + L" (" + why + L")");
}

// Parses a store file whose root must be `root`; nothing when the file is absent.
std::optional<TXmlDoc> LoadDoc(const std::wstring& folder, const std::wstring& file,
                               const wchar_t* root) {
  std::optional<std::wstring> text = ReadTextFile(folder + file);
  if (!text) return std::nullopt;
  try {
    TXmlDoc doc = TXmlDoc::Parse(*text);
    if (doc.RootName() != root) Corrupt(file, L"root " + doc.RootName());
    return doc;
  } catch (const TAgentError& e) {
    if (e.Fault() == TAgentFault::StoreCorrupt) throw;
    Corrupt(file, e.Description());
  }
}

std::wstring RequiredAttr(IXMLDOMElement& e, const wchar_t* name, const std::wstring& file) {
  std::optional<std::wstring> value = Attribute(e, name);
  if (!value) Corrupt(file, std::wstring(L"no ") + name);
  return *value;
}

int IntAttr(IXMLDOMElement& e, const wchar_t* name, const std::wstring& file) {
  int value = 0;
  if (!ParseInt(RequiredAttr(e, name, file), value)) Corrupt(file, std::wstring(L"bad ") + name);
  return value;
}

// A domain's sequence number: a count from 1; the searches report 0 for an unknown
// domain, so a stored 0 or less would hide a known one.
int SequenceAttr(IXMLDOMElement& e, const std::wstring& file) {
  const int value = IntAttr(e, L"Sequence", file);
  if (value <= 0) Corrupt(file, L"bad Sequence");
  return value;
}

// `seal` (SealSecret or SealProfileText) applied for the store; the platform refusing
// is the agent's own failure.
std::wstring Sealed(std::wstring (*seal)(const std::wstring&), const std::wstring& text) {
  try {
    return seal(text);
  } catch (const std::runtime_error&) {
    throw TAgentError(TAgentFault::Internal, L"CryptProtectData");
  }
}

// `clearKeys` tells whether a key was stored as clear text.
std::vector<TAccount> LoadAccounts(const std::wstring& folder, bool& clearKeys) {
  std::vector<TAccount> accounts;
  std::optional<TXmlDoc> doc = LoadDoc(folder, kAccounts, L"Accounts");
  if (!doc) return accounts;
  for (const TElement& e : ChildElements(doc->Root(), L"Account")) {
    TAccount a;
    a.id = RequiredAttr(*e.Get(), L"Id", kAccounts);
    if (!ValidAccountId(a.id)) Corrupt(kAccounts, L"bad Id " + a.id);
    const std::wstring stored = RequiredAttr(*e.Get(), L"Key", kAccounts);
    const TOpenedSecret key = OpenSecret(stored);
    if (key.plain)
      a.key = *key.plain;
    else
      a.sealedKey = stored;
    clearKeys = clearKeys || key.wasClear;
    a.serviceType = IntAttr(*e.Get(), L"ServiceType", kAccounts);
    a.sequence = SequenceAttr(*e.Get(), kAccounts);
    if (!ParseReal(RequiredAttr(*e.Get(), L"Expiry", kAccounts), a.expiry))
      Corrupt(kAccounts, L"bad Expiry");
    accounts.push_back(std::move(a));
  }
  return accounts;
}

TSessionState LoadSession(const std::wstring& folder) {
  TSessionState session;
  std::optional<TXmlDoc> doc = LoadDoc(folder, kState, L"State");
  if (!doc) return session;
  session.currentAccount = Attribute(doc->Root(), L"CurrentAccount").value_or(L"");
  if (std::optional<std::wstring> state = Attribute(doc->Root(), L"UserState"))
    if (!ParseInt(*state, session.userState)) Corrupt(kState, L"bad UserState");
  if (std::optional<std::wstring> online = Attribute(doc->Root(), L"Online"))
    if (!ParseBool(*online, session.online)) Corrupt(kState, L"bad Online");
  return session;
}

void LoadDomains(const std::wstring& folder, TStoreData& data) {
  std::optional<TXmlDoc> doc = LoadDoc(folder, kDomains, L"Domains");
  if (!doc) return;
  if (TElement suffixes = FirstChild(doc->Root(), L"Suffixes"))
    for (const TElement& e : ChildElements(*suffixes.Get(), L"Suffix"))
      data.suffixes.push_back(Text(*e.Get()));
  if (TElement registry = FirstChild(doc->Root(), L"Registry"))
    for (const TElement& e : ChildElements(*registry.Get(), L"Domain"))
      data.registry.push_back({RequiredAttr(*e.Get(), L"Name", kDomains),
                               SequenceAttr(*e.Get(), kDomains)});
}

std::wstring AccountsText(const std::vector<TAccount>& accounts) {
  TXmlDoc doc = TXmlDoc::Create(L"Accounts");
  for (const TAccount& a : accounts) {
    TElement e = AppendElement(doc.Root(), L"Account");
    SetAttribute(*e.Get(), L"Id", a.id);
    SetAttribute(*e.Get(), L"Key", a.sealedKey.empty() ? Sealed(SealSecret, a.key) : a.sealedKey);
    SetAttribute(*e.Get(), L"ServiceType", std::to_wstring(a.serviceType));
    SetAttribute(*e.Get(), L"Expiry", FormatReal(a.expiry));
    SetAttribute(*e.Get(), L"Sequence", std::to_wstring(a.sequence));
  }
  return kDeclaration + doc.Markup();
}

std::wstring SessionText(const TSessionState& session) {
  TXmlDoc doc = TXmlDoc::Create(L"State");
  SetAttribute(doc.Root(), L"CurrentAccount", session.currentAccount);
  SetAttribute(doc.Root(), L"UserState", std::to_wstring(session.userState));
  SetAttribute(doc.Root(), L"Online", session.online ? L"True" : L"False");
  return kDeclaration + doc.Markup();
}

std::wstring DomainsText(const TStoreData& data) {
  TXmlDoc doc = TXmlDoc::Create(L"Domains");
  TElement suffixes = AppendElement(doc.Root(), L"Suffixes");
  for (const std::wstring& s : data.suffixes) AppendElement(*suffixes.Get(), L"Suffix", s);
  TElement registry = AppendElement(doc.Root(), L"Registry");
  for (const TRegisteredDomain& d : data.registry) {
    TElement e = AppendElement(*registry.Get(), L"Domain");
    SetAttribute(*e.Get(), L"Name", d.name);
    SetAttribute(*e.Get(), L"Sequence", std::to_wstring(d.sequence));
  }
  return kDeclaration + doc.Markup();
}

}  // namespace

std::wstring FormatReal(double value) {
  wchar_t buffer[64];
  swprintf(buffer, 64, L"%.15g", value);  // the C locale: always a '.' point
  return buffer;
}

bool ParseReal(const std::wstring& text, double& value) {
  if (text.empty() || iswspace(text[0])) return false;
  wchar_t* end = nullptr;
  value = wcstod(text.c_str(), &end);
  return end == text.c_str() + text.size();
}

bool ParseInt(const std::wstring& text, int& value) {
  if (text.empty() || iswspace(text[0])) return false;
  wchar_t* end = nullptr;
  errno = 0;
  const long long v = wcstoll(text.c_str(), &end, 10);
  if (errno || end != text.c_str() + text.size() || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

bool ParseBool(const std::wstring& text, bool& value) {
  if (_wcsicmp(text.c_str(), L"True") == 0) { value = true; return true; }
  if (_wcsicmp(text.c_str(), L"False") == 0) { value = false; return true; }
  int number = 0;
  if (!ParseInt(text, number)) return false;
  value = number != 0;
  return true;
}

TAgentStore::TAgentStore(std::wstring folder, TFirstFill firstFill)
    : folder_(std::move(folder)), firstFill_(std::move(firstFill)) {}

std::vector<std::wstring> TAgentStore::TrackedFiles() const {
  std::vector<std::wstring> files = {kAccounts, kState, kDomains, kLocalSetting};
  for (const TAccount& a : data_.accounts) files.push_back(ProfileFile(a.id));
  return files;
}

std::map<std::wstring, TFileStamp> TAgentStore::CurrentStamps() const {
  std::map<std::wstring, TFileStamp> stamps;
  for (const std::wstring& file : TrackedFiles()) stamps[file] = StampOf(folder_ + file);
  return stamps;
}

void TAgentStore::Remember(const std::wstring& file) { stamps_[file] = StampOf(folder_ + file); }

bool TAgentStore::Refresh() {
  const bool filled = !firstFill_ || StampOf(folder_ + kAccounts).exists;
  if (filled && loaded_ && CurrentStamps() == stamps_) return false;
  const TStoreLock lock(folder_);  // another agent's first fill or a reset is never half seen
  if (!StampOf(folder_ + kAccounts).exists && firstFill_) firstFill_(folder_);
  Reload();
  return true;
}

void TAgentStore::Reload() {
  const TStoreLock lock(folder_);
  TStoreData data;
  bool clearKeys = false;
  std::vector<std::wstring> clearProfiles;
  data.accounts = LoadAccounts(folder_, clearKeys);
  data.session = LoadSession(folder_);
  LoadDomains(folder_, data);
  data.localSetting = ReadTextFile(folder_ + kLocalSetting).value_or(L"");
  for (const TAccount& a : data.accounts) {
    std::optional<std::wstring> text = ReadTextFile(folder_ + ProfileFile(a.id));
    TOpenedProfile profile = text ? OpenProfileText(*text) : TOpenedProfile{};
    if ((text && !profile.text) || !a.sealedKey.empty()) {
      data.unreadable.push_back(a.id);  // kept in its file, never used
      continue;
    }
    if (!profile.text) continue;
    if (profile.wasClear) clearProfiles.push_back(a.id);
    data.profiles[a.id] = std::move(*profile.text);
  }
  data_ = std::move(data);
  loaded_ = true;
  if (clearKeys || !clearProfiles.empty()) SealClearSecrets(clearKeys, clearProfiles);
  // Stamps taken after reading: a file replaced while we read (by a writer that does not
  // take the lock, such as a test) shows as changed again on the next call and is
  // simply read once more.
  stamps_ = CurrentStamps();
}

// Seals what an earlier version stored in clear text, losing nothing: the files are
// written from what was just read. A store that cannot be written now is served as it
// is and sealed at a later load.
void TAgentStore::SealClearSecrets(bool accounts, const std::vector<std::wstring>& profiles) {
  try {
    for (const std::wstring& id : profiles)
      WriteTextFileAtomic(folder_ + ProfileFile(id), Sealed(SealProfileText, data_.profiles.at(id)));
    if (accounts) WriteTextFileAtomic(folder_ + kAccounts, AccountsText(data_.accounts));
  } catch (const TAgentError&) {
  }
}

void TAgentStore::SaveSession(const TSessionState& session) {
  const TStoreLock lock(folder_);
  WriteTextFileAtomic(folder_ + kState, SessionText(session));
  data_.session = session;
  Remember(kState);
}

void TAgentStore::SaveAccounts(const std::vector<TAccount>& accounts) {
  const TStoreLock lock(folder_);
  WriteTextFileAtomic(folder_ + kAccounts, AccountsText(accounts));
  data_.accounts = accounts;
  Remember(kAccounts);
}

void TAgentStore::SaveLocalSetting(const std::wstring& text) {
  const TStoreLock lock(folder_);
  WriteTextFileAtomic(folder_ + kLocalSetting, text);
  data_.localSetting = text;
  Remember(kLocalSetting);
}

void TAgentStore::SaveProfile(const std::wstring& accountId, const std::wstring& text) {
  if (!ValidAccountId(accountId)) throw TAgentError(TAgentFault::Internal, L"account id");
  const TStoreLock lock(folder_);
  EnsureFolder(folder_ + kProfiles);
  WriteTextFileAtomic(folder_ + ProfileFile(accountId), Sealed(SealProfileText, text));
  data_.profiles[accountId] = text;
  Remember(ProfileFile(accountId));
}

void TAgentStore::WriteAll(const std::wstring& folder, const TStoreData& data) {
  const TStoreLock lock(folder);
  EnsureFolder(folder);
  EnsureFolder(folder + kProfiles);
  EnsureFolder(folder + kOutbox);
  // Every new file is written before the first one is replaced, so a store that cannot
  // be written (a full disk, no right to write) stays as it was. Profiles and settings
  // are replaced first, the accounts last: a reader that sees the new accounts file
  // finds everything it names already in place.
  std::vector<TPendingFile> files;
  for (const auto& [id, text] : data.profiles) {
    if (!ValidAccountId(id)) throw TAgentError(TAgentFault::Internal, L"account id " + id);
    files.emplace_back(folder + ProfileFile(id), Sealed(SealProfileText, text));
  }
  files.emplace_back(folder + kLocalSetting, data.localSetting);
  files.emplace_back(folder + kDomains, DomainsText(data));
  files.emplace_back(folder + kState, SessionText(data.session));
  files.emplace_back(folder + kAccounts, AccountsText(data.accounts));
  for (TPendingFile& file : files) file.Commit();
}
