#include "orvanta/Publisher.h"

#include <objbase.h>

#include <algorithm>
#include <random>
#include <set>

#include "orvanta/AddressService.h"
#include "orvanta/AgentStore.h"
#include "orvanta/DnsTransport.h"
#include "orvanta/ErrorTexts.h"
#include "orvanta/FileIo.h"
#include "orvanta/PublishLog.h"
#include "orvanta/PublishPlan.h"
#include "orvanta/XmlDoc.h"

namespace {

constexpr int kDefaultIntervalS = 600;
// The longest the worker sleeps without looking at the store: a folder whose change
// notification is lost (a network share, an emulator) is still noticed this late.
constexpr DWORD kLongestSleepMs = 5000;
constexpr DWORD kStopWaitMs = 15000;

std::string Narrow(const std::wstring& text) { return ToUtf8(text); }

// An attempt's description: everything an update depends on, so the next cycle can
// tell whether anything changed since.
std::string Describe(const TPublishPlan& plan, bool online, const TNameServer& server,
                     const TPublishAccount& account, const std::vector<dns::TRRset>& stale) {
  std::string d = (online ? "on " : "off ") + server.host + ":" + std::to_string(server.port) + " " +
                  account.zone + " " + account.key.name + " " +
                  std::string(account.key.secret.begin(), account.key.secret.end()) + "|";
  for (const dns::TRRset& set : plan.sets) {
    d += set.name + "/" + std::to_string(set.type) + ":";
    for (const dns::TRecordData& r : set.records)
      d += std::to_string(r.ttl) + "," + AddressText(r.address[0] | r.address[1] << 8 | r.address[2] << 16 |
                                                     static_cast<uint32_t>(r.address[3]) << 24) +
           "," + std::to_string(r.preference) + "," + r.target + ";";
  }
  d += "|";
  for (const dns::TRRset& set : stale) d += set.name + "/" + std::to_string(set.type) + ";";
  return d;
}

bool Listed(const std::vector<dns::TRRset>& sets, const dns::TRRset& set) {
  return std::any_of(sets.begin(), sets.end(), [&](const dns::TRRset& s) {
    return s.type == set.type && dns::InZone(s.name, set.name) && dns::InZone(set.name, s.name);
  });
}

uint16_t NewId() {
  static std::mt19937 engine{std::random_device{}()};
  return static_cast<uint16_t>(engine());
}

// Sends one signed update; empty when the server accepted it, else why not.
std::string SendUpdate(const TNameServer& server, const TPublishAccount& account,
                       const std::vector<dns::TRRset>& remove, const std::vector<dns::TRRset>& add) {
  try {
    TBytes message = dns::BuildUpdate(NewId(), account.zone, remove, add);
    const TBytes mac = SignMessage(message, account.key, TsigNow());
    const TBytes answer = ExchangeMessage(server, message);
    const TSignedAnswer checked = CheckAnswer(answer, mac, account.key, TsigNow());
    if (checked.rcode == dns::kNoError && checked.verified) return {};
    std::string why = "refused by " + server.host + ": " + dns::RcodeName(checked.rcode);
    if (checked.tsigError) why += " (" + dns::RcodeName(checked.tsigError) + ")";
    if (checked.rcode == dns::kNoError) why = "the answer of " + server.host + " is not signed with the key";
    return why;
  } catch (const TTransportError& e) {
    return e.what();
  } catch (const dns::TWireError& e) {
    return std::string("cannot write or read the update: ") + e.what();
  } catch (const std::runtime_error& e) {
    return std::string("cannot sign the update: ") + e.what();
  }
}

}  // namespace

// One cycle's view of the store and the work it does; lives on the worker thread.
class TPublisher::TWork {
 public:
  TWork(TPublisher& owner, std::wstring folder) : owner_(owner), folder_(folder), store_(std::move(folder), nullptr) {}

  // Publishes what is due; returns how long the worker may sleep.
  DWORD Cycle(bool stopping) {
    // Without publishing settings the store is not even read: an agent nobody configured
    // behaves, and touches its files, exactly as before.
    if (GetFileAttributesW((folder_ + publish_files::kSettings).c_str()) == INVALID_FILE_ATTRIBUTES) {
      owner_.SetConfigured({});
      wasOnline_.clear();
      return kLongestSleepMs;
    }
    TPublishSettings settings;
    try {
      store_.Refresh();
      settings = LoadPublishSettings(folder_);
    } catch (const TAgentError& e) {
      Log("cannot read the store: " + Narrow(e.Description()));
      return kLongestSleepMs;
    }
    intervalMs_ = 1000ull * static_cast<ULONGLONG>(settings.checkSeconds ? settings.checkSeconds : HeartBeat());
    std::map<std::wstring, TStatus> statuses;
    for (const TPublishAccount& a : settings.accounts) statuses[a.id] = owner_.StatusOf(a.id).value_or(TStatus{});
    for (const std::wstring& id : settings.unreadable)
      if (unreadableLogged_.insert(id).second) Log(Narrow(id) + ": the key's secret does not open on this machine");
    owner_.SetConfigured(statuses);
    ULONGLONG wake = GetTickCount64() + kLongestSleepMs;
    for (const TPublishAccount& account : settings.accounts) {
      const ULONGLONG due = Publish(account, settings, stopping);
      wake = std::min(wake, due);
    }
    const ULONGLONG now = GetTickCount64();
    return wake > now ? static_cast<DWORD>(wake - now) : 0;
  }

 private:
  int HeartBeat() const {
    int seconds = 0;
    try {
      if (!store_.Data().localSetting.empty())
        ParseInt(TrimText(ChildText(TXmlDoc::Parse(store_.Data().localSetting).Root(), L"HeartBeat")), seconds);
    } catch (const TAgentError&) {
    }
    return seconds > 0 ? seconds : kDefaultIntervalS;
  }
  std::wstring Host() const {
    try {
      if (!store_.Data().localSetting.empty())
        return TrimText(ChildText(TXmlDoc::Parse(store_.Data().localSetting).Root(), L"Host"));
    } catch (const TAgentError&) {
    }
    return {};
  }
  static std::wstring TrimText(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
  }

  bool SignedIn(const std::wstring& accountId) const {
    const TSessionState& session = store_.Data().session;
    return session.currentAccount == accountId && session.userState == 2 &&
           store_.Data().profiles.count(accountId);
  }

  // The machine's public address, asked again at sign-in and every interval.
  std::optional<uint32_t> MachineAddress(const TPublishSettings& settings, bool signingIn, ULONGLONG& due) {
    const ULONGLONG now = GetTickCount64();
    if (settings.addressService.empty()) {
      machine_.reset();
      return std::nullopt;
    }
    if (settings.addressService != askedUrl_) machine_.reset();
    if (signingIn || settings.addressService != askedUrl_ || now >= askedAt_ + intervalMs_ || !asked_) {
      std::string why;
      const std::optional<uint32_t> address = AskAddressService(settings.addressService, why);
      // A service that fails for a moment leaves the address it gave last in place.
      if (!address) Log("address service " + Narrow(settings.addressService) + ": " + why);
      if (address && address != machine_) Log("the machine's address is " + AddressText(*address));
      if (address) machine_ = address;
      askedUrl_ = settings.addressService;
      askedAt_ = GetTickCount64();
      asked_ = true;
    }
    due = std::min(due, askedAt_ + intervalMs_);
    return machine_;
  }

  // Publishes the account when due; returns when it should be looked at again.
  ULONGLONG Publish(const TPublishAccount& account, const TPublishSettings& settings, bool stopping) {
    TStatus status = owner_.StatusOf(account.id).value_or(TStatus{});
    const bool online = !stopping && SignedIn(account.id);
    const bool signingIn = online && !wasOnline_[account.id];
    wasOnline_[account.id] = online;
    ULONGLONG due = ~0ull;
    const auto fail = [&](const std::string& why, bool retry) {
      status.accepted = false;
      if (why != status.failure || retry) Log(Narrow(account.id) + ": " + why);
      status.failure = why;
      if (retry) {
        status.failures = std::min(status.failures + 1, 20);
        status.retryAt = GetTickCount64() + std::min<ULONGLONG>(intervalMs_, 1000ull << std::min(status.failures, 10));
      }
      owner_.SetStatus(account.id, status);
      return retry ? std::min(due, status.retryAt) : due;
    };
    const auto profileText = store_.Data().profiles.find(account.id);
    if (profileText == store_.Data().profiles.end()) return fail("the account has no profile in the store", false);
    const std::optional<TNameServer> server = ParseNameServer(Host());
    if (!server) return fail("the local settings name no usable name server (Host)", false);

    TAddresses addresses;
    addresses.redirector = account.redirector;
    addresses.local = InterfaceAddressToward(*server);
    if (online) addresses.machine = MachineAddress(settings, signingIn, due);
    TPublishPlan plan;
    try {
      plan = PlanPublication(ReadPublishProfile(profileText->second), online, addresses, account.zone);
    } catch (const TAgentError& e) {
      return fail("the profile cannot be read: " + Narrow(e.Description()), false);
    }
    if (!plan.refusal.empty()) return fail("nothing published: " + plan.refusal, false);

    std::vector<dns::TRRset> previous;
    try {
      if (const std::optional<TPublished> published = LoadPublished(folder_, account.id)) previous = published->sets;
    } catch (const TAgentError& e) {
      Log("cannot read what was published: " + Narrow(e.Description()));
    }
    // Every RRset the profile describes is replaced; every one published before that
    // the profile no longer holds is deleted.
    std::vector<dns::TRRset> stale;
    for (const dns::TRRset& set : previous)
      if (!Listed(plan.sets, set) && dns::InZone(set.name, account.zone)) stale.push_back(set);
    const std::string attempt = Describe(plan, online, *server, account, stale);
    if (attempt == status.attempt && (status.accepted || GetTickCount64() < status.retryAt))
      return status.accepted ? due : std::min(due, status.retryAt);
    if (attempt != status.attempt) status.failures = 0;
    status.attempt = attempt;
    std::vector<dns::TRRset> remove = plan.sets;
    remove.insert(remove.end(), stale.begin(), stale.end());
    const std::string why = SendUpdate(*server, account, remove, plan.sets);
    if (!why.empty()) return fail(why, true);

    status.accepted = true;
    status.attempt = Describe(plan, online, *server, account, {});  // nothing stale is left
    status.online = online;
    status.failure.clear();
    status.failures = 0;
    owner_.SetStatus(account.id, status);
    try {
      SavePublished(folder_, account.id, {online, plan.sets});
    } catch (const TAgentError& e) {
      Log("cannot remember what was published: " + Narrow(e.Description()));
    }
    std::string line = Narrow(account.id) + ": published " + (online ? "online" : "offline") + " to " + server->host +
                       ":" + std::to_string(server->port) + ", zone " + account.zone + ", " +
                       std::to_string(plan.sets.size()) + " RRsets, " +
                       std::to_string(remove.size() - plan.sets.size()) + " deleted";
    for (const std::string& note : plan.notes) line += "; left out: " + note;
    Log(line);
    return due;
  }

  void Log(const std::string& line) { AppendPublishLog(folder_, line); }

  TPublisher& owner_;
  std::wstring folder_;
  TAgentStore store_;
  ULONGLONG intervalMs_ = kDefaultIntervalS * 1000ull;
  std::optional<uint32_t> machine_;
  std::wstring askedUrl_;
  ULONGLONG askedAt_ = 0;
  bool asked_ = false;
  std::map<std::wstring, bool> wasOnline_;
  std::set<std::wstring> unreadableLogged_;
};

TPublisher::TPublisher(std::wstring folder) : folder_(std::move(folder)) {}

TPublisher::~TPublisher() { Stop(false); }

void TPublisher::Start() {
  if (thread_) return;
  stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (stop_) thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
}

DWORD WINAPI TPublisher::ThreadMain(void* self) {
  static_cast<TPublisher*>(self)->Run();
  return 0;
}

void TPublisher::Stop(bool publishOffline) {
  if (!thread_) return;
  publishOfflineAtStop_ = publishOffline;
  SetEvent(stop_);
  // The last update is bounded by the transport's time-outs; a worker stuck beyond
  // that is left behind (the process is ending) rather than holding the agent's end.
  if (WaitForSingleObject(thread_, kStopWaitMs) != WAIT_OBJECT_0) return;
  CloseHandle(thread_);
  thread_ = nullptr;
  CloseHandle(stop_);
  stop_ = nullptr;
}

void TPublisher::Run() {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // MSXML for the store
  TWork work(*this, folder_);
  HANDLE changes = FindFirstChangeNotificationW(
      folder_.c_str(), TRUE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
  for (;;) {
    const DWORD sleepMs = work.Cycle(false);
    HANDLE handles[2] = {stop_, changes};
    const DWORD count = changes == INVALID_HANDLE_VALUE ? 1 : 2;
    const DWORD woke = WaitForMultipleObjects(count, handles, FALSE, sleepMs);
    if (woke == WAIT_OBJECT_0) break;
    if (woke == WAIT_OBJECT_0 + 1) FindNextChangeNotification(changes);
  }
  if (publishOfflineAtStop_) work.Cycle(true);
  if (changes != INVALID_HANDLE_VALUE) FindCloseChangeNotification(changes);
  if (SUCCEEDED(com)) CoUninitialize();
}

void TPublisher::SetStatus(const std::wstring& accountId, const TStatus& status) {
  const std::lock_guard<std::mutex> hold(mutex_);
  statuses_[accountId] = status;
}

std::optional<TPublisher::TStatus> TPublisher::StatusOf(const std::wstring& accountId) const {
  const std::lock_guard<std::mutex> hold(mutex_);
  const auto it = statuses_.find(accountId);
  if (it == statuses_.end()) return std::nullopt;
  return it->second;
}

void TPublisher::SetConfigured(std::map<std::wstring, TStatus> statuses) {
  const std::lock_guard<std::mutex> hold(mutex_);
  statuses_ = std::move(statuses);
}

std::optional<bool> TPublisher::Online(const std::wstring& accountId) const {
  const std::optional<TStatus> status = StatusOf(accountId);
  if (!status) return std::nullopt;
  return status->accepted && status->online;
}

std::wstring TPublisher::LastFailure(const std::wstring& accountId) const {
  const std::optional<TStatus> status = StatusOf(accountId);
  return status ? FromUtf8(status->failure).value_or(L"") : L"";
}
