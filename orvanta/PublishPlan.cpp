#include "orvanta/PublishPlan.h"

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <map>

#include "orvanta/ProfileRules.h"

namespace {

constexpr uint32_t kMaxTtl = 0x7FFFFFFF;  // RFC 2181 8

std::string Ascii(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');  // '?' fails IsWireName
  return out;
}

std::string Trimmed(const std::wstring& text) {
  std::string s = Ascii(text);
  const size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  s = s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
  if (!s.empty() && s.back() == '.') s.pop_back();  // an absolute name written with its dot
  return s;
}

long long Number(IXMLDOMElement& parent, const wchar_t* name) {
  return std::wcstoll(ChildText(parent, name).c_str(), nullptr, 10);
}

uint32_t Ttl(IXMLDOMElement& parent) {
  return static_cast<uint32_t>(std::clamp<long long>(Number(parent, L"TTL"), 0, kMaxTtl));
}

// Addresses are stored as signed 32-bit numbers.
uint32_t Address(IXMLDOMElement& parent, const wchar_t* name) {
  return static_cast<uint32_t>(Number(parent, name));
}

std::vector<TElement> Items(IXMLDOMElement& root, const wchar_t* list, const wchar_t* item) {
  TElement parent = FirstChild(root, list);
  return parent ? ChildElements(*parent.Get(), item) : std::vector<TElement>();
}

dns::TRecordData ARecord(uint32_t ttl, uint32_t address) {
  dns::TRecordData r;
  r.type = dns::kTypeA;
  r.ttl = ttl;
  for (int i = 0; i < 4; ++i) r.address[i] = static_cast<uint8_t>(address >> (8 * i));
  return r;
}

dns::TRecordData NameRecord(uint16_t type, uint32_t ttl, const std::string& target, uint16_t preference = 0) {
  dns::TRecordData r;
  r.type = type;
  r.ttl = ttl;
  r.target = target;
  r.preference = preference;
  return r;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

class TPlanBuilder {
 public:
  TPlanBuilder(const std::string& domain, const std::string& zone) : domain_(Lower(domain)), zone_(zone) {}

  // The owner name of a record named `name` under the domain; empty when unusable.
  std::string Owner(const std::string& name, const char* what) {
    std::string owner = name.empty() || name == "@" ? domain_ : Lower(name) + "." + domain_;
    if (!dns::IsWireName(owner)) {
      plan_.notes.push_back(std::string(what) + " " + name + ": not a host name");
      return {};
    }
    if (!dns::InZone(owner, zone_)) {
      plan_.notes.push_back(std::string(what) + " " + owner + ": outside the zone " + zone_);
      return {};
    }
    return owner;
  }
  bool Target(const std::string& target, const char* what) {
    if (dns::IsWireName(target)) return true;
    plan_.notes.push_back(std::string(what) + " target " + target + ": not a host name");
    return false;
  }
  void Add(const std::string& owner, dns::TRecordData record) {
    if (owner.empty()) return;
    auto& records = sets_[{owner, record.type}];
    if (std::find(records.begin(), records.end(), record) == records.end())
      records.push_back(std::move(record));
  }
  void Note(std::string note) { plan_.notes.push_back(std::move(note)); }

  TPublishPlan Finish() {
    for (auto& [key, records] : sets_) {
      // An alias is the only data its name may hold (RFC 1034 3.6.2).
      if (key.second == dns::kTypeCname && (records.size() > 1 || OtherDataAt(key.first))) {
        plan_.notes.push_back("alias " + key.first + ": the name holds other records");
        continue;
      }
      // RFC 2181 5.2: one TTL for all records of an RRset; the smallest keeps every
      // record's promise.
      uint32_t ttl = kMaxTtl;
      for (const auto& r : records) ttl = std::min(ttl, r.ttl);
      for (auto& r : records) r.ttl = ttl;
      plan_.sets.push_back({key.first, key.second, records});
    }
    return std::move(plan_);
  }

 private:
  bool OtherDataAt(const std::string& owner) const {
    return std::any_of(sets_.begin(), sets_.end(), [&](const auto& entry) {
      return entry.first.first == owner && entry.first.second != dns::kTypeCname;
    });
  }

  std::string domain_, zone_;
  std::map<std::pair<std::string, uint16_t>, std::vector<dns::TRecordData>> sets_;
  TPublishPlan plan_;
};

void PlanDomain(TPlanBuilder& b, const TPublishProfile& p, bool online, const TAddresses& a) {
  const std::string owner = b.Owner("", "domain");
  auto address = [&](const std::optional<uint32_t>& value, const char* missing) {
    if (value)
      b.Add(owner, ARecord(p.ttl, *value));
    else
      b.Note(std::string("domain ") + p.domain + ": " + missing);
  };
  const int type = online ? p.onlineType : p.offlineType;
  switch (type) {
    case 11: address(a.machine ? a.machine : a.local, "the machine's address is not known yet"); break;
    case 12: b.Add(owner, ARecord(p.ttl, p.onlineFixedIP)); break;
    case 15: address(a.local, "no interface reaches the name server"); break;
    case 21: b.Add(owner, ARecord(p.ttl, p.offlineIP)); break;
    case 23: break;  // no address while offline
    case 25:
      if (b.Target(Lower(p.offlineHost), "offline alias")) b.Add(owner, NameRecord(dns::kTypeCname, p.ttl, Lower(p.offlineHost)));
      break;
    case 13: case 14: case 22: case 24:
      address(a.redirector, "a redirection or information page needs a web redirector, and none is configured");
      break;
    default: b.Note("domain " + p.domain + ": unknown choice " + std::to_string(type));
  }
}

}  // namespace

TPublishProfile ReadPublishProfile(const std::wstring& userInfo) {
  const TXmlDoc doc = ParseDocument(userInfo, L"UserInfo");
  IXMLDOMElement& root = doc.Root();
  TPublishProfile p;
  p.domain = Trimmed(ChildText(root, L"Domain"));
  p.ttl = Ttl(root);
  p.onlineType = static_cast<int>(Number(root, L"OnlineType"));
  p.offlineType = static_cast<int>(Number(root, L"OfflineType"));
  p.onlineFixedIP = Address(root, L"OnlineFixedIP");
  p.offlineIP = Address(root, L"OfflineIP");
  p.offlineHost = Trimmed(ChildText(root, L"OfflineHost"));
  for (const TElement& e : Items(root, L"As", L"A"))
    p.hosts.push_back({Trimmed(ChildText(*e.Get(), L"Name")), Ttl(*e.Get()), Address(*e.Get(), L"IPv4")});
  for (const TElement& e : Items(root, L"CNames", L"CName"))
    p.aliases.push_back({Trimmed(ChildText(*e.Get(), L"Name")), Ttl(*e.Get()), Trimmed(ChildText(*e.Get(), L"Host"))});
  for (const TElement& e : Items(root, L"MXs", L"MX"))
    p.exchangers.push_back({Trimmed(ChildText(*e.Get(), L"Name")), Ttl(*e.Get()),
                            Trimmed(ChildText(*e.Get(), L"NameExchange")),
                            static_cast<uint16_t>(std::clamp<long long>(Number(*e.Get(), L"Preference"), 0, 0xFFFF))});
  return p;
}

TPublishPlan PlanPublication(const TPublishProfile& profile, bool online, const TAddresses& addresses,
                             const std::string& zone) {
  if (!dns::IsWireName(profile.domain) || !dns::InZone(profile.domain, zone)) {
    TPublishPlan refused;
    refused.refusal = "the domain " + profile.domain + " lies outside the zone " + zone;
    return refused;
  }
  TPlanBuilder b(profile.domain, zone);
  PlanDomain(b, profile, online, addresses);
  for (const auto& h : profile.hosts) b.Add(b.Owner(h.name, "host"), ARecord(h.ttl, h.address));
  for (const auto& a : profile.aliases)
    if (b.Target(Lower(a.host), "alias")) b.Add(b.Owner(a.name, "alias"), NameRecord(dns::kTypeCname, a.ttl, Lower(a.host)));
  for (const auto& x : profile.exchangers)
    if (b.Target(Lower(x.host), "mail exchanger"))
      b.Add(b.Owner(x.name, "mail exchanger"), NameRecord(dns::kTypeMx, x.ttl, Lower(x.host), x.preference));
  return b.Finish();
}

std::string AddressText(uint32_t address) {
  return std::to_string(address & 0xFF) + "." + std::to_string(address >> 8 & 0xFF) + "." +
         std::to_string(address >> 16 & 0xFF) + "." + std::to_string(address >> 24);
}

std::optional<uint32_t> ParseAddress(const std::string& text) {
  uint32_t address = 0;
  size_t at = 0;
  for (int octet = 0; octet < 4; ++octet) {
    if (octet && (at >= text.size() || text[at++] != '.')) return std::nullopt;
    size_t digits = 0;
    unsigned value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) && digits < 3) {
      value = value * 10 + static_cast<unsigned>(text[at++] - '0');
      ++digits;
    }
    if (!digits || value > 255) return std::nullopt;
    address |= value << (8 * octet);
  }
  return at == text.size() ? std::optional<uint32_t>(address) : std::nullopt;
}
