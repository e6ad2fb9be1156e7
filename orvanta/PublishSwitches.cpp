#include "orvanta/PublishSwitches.h"

#include <algorithm>

#include "orvanta/AddressService.h"
#include "orvanta/AgentStore.h"
#include "orvanta/DomainRules.h"
#include "orvanta/ErrorTexts.h"
#include "orvanta/ProfileRules.h"
#include "orvanta/PublishPlan.h"
#include "orvanta/PublishSettings.h"
#include "orvanta/StoreLock.h"

namespace {

constexpr int kRefused = 1;

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The account whose key is `key` (trimmed, case ignored), with its domain.
struct TFound {
  std::wstring id, domain;
};
std::optional<TFound> FindAccount(const std::wstring& folder, const std::wstring& key) {
  TAgentStore store(folder, nullptr);
  store.Reload();
  for (const TAccount& a : store.Data().accounts) {
    if (!SameName(a.key, TrimBlanks(key))) continue;
    const auto profile = store.Data().profiles.find(a.id);
    if (profile == store.Data().profiles.end()) return TFound{a.id, L""};
    return TFound{a.id, TrimBlanks(ReadFacts(ParseDocument(profile->second, L"UserInfo").Root()).domain)};
  }
  return std::nullopt;
}

// "name=value" arguments; false with the reason when one is no such pair or unknown.
bool ReadPairs(const std::vector<std::wstring>& arguments, size_t from, std::vector<std::pair<std::wstring, std::wstring>>& pairs,
               std::wstring& why) {
  for (size_t i = from; i < arguments.size(); ++i) {
    const size_t equals = arguments[i].find(L'=');
    std::wstring name = equals == std::wstring::npos ? arguments[i] : arguments[i].substr(0, equals);
    CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
    if (equals == std::wstring::npos || (name != L"zone" && name != L"key" && name != L"redirector")) {
      why = L"unknown argument " + arguments[i] + L" (expected zone=, key=, redirector=)";
      return false;
    }
    pairs.emplace_back(name, arguments[i].substr(equals + 1));
  }
  return true;
}

int Publish(const std::wstring& folder, const std::vector<std::wstring>& arguments, std::wstring& why) {
  if (arguments.empty()) return why = L"usage: -Publish <account key> zone=<zone> key=<name>:hmac-sha256:<base64>", kRefused;
  std::vector<std::pair<std::wstring, std::wstring>> pairs;
  if (!ReadPairs(arguments, 1, pairs, why)) return kRefused;
  TPublishAccount account;
  std::wstring zone, keyArgument;
  for (const auto& [name, value] : pairs) {
    if (name == L"zone") zone = TrimBlanks(value);
    if (name == L"key") keyArgument = TrimBlanks(value);
    if (name == L"redirector") {
      account.redirector = ParseAddress(Narrow(TrimBlanks(value)));
      if (!account.redirector) return why = L"the redirector is not an IPv4 address: " + value, kRefused;
    }
  }
  if (!zone.empty() && zone.back() == L'.') zone.pop_back();
  account.zone = Narrow(zone);
  if (!dns::IsWireName(account.zone)) return why = L"zone=<zone> is missing or not a DNS name", kRefused;
  if (keyArgument.empty()) return why = L"key=<name>:hmac-sha256:<base64 secret> is missing", kRefused;
  const std::optional<TTsigKey> key = ParseKeyArgument(keyArgument, why);
  if (!key) return kRefused;
  account.key = *key;

  const TStoreLock change(folder);
  const std::optional<TFound> found = FindAccount(folder, arguments[0]);
  if (!found) return why = L"no account has the key " + arguments[0], kRefused;
  if (!dns::InZone(Narrow(found->domain), account.zone))
    return why = L"the account's domain " + found->domain + L" lies outside the zone " + zone, kRefused;
  account.id = found->id;
  TPublishSettings settings = LoadPublishSettings(folder);
  auto& accounts = settings.accounts;
  accounts.erase(std::remove_if(accounts.begin(), accounts.end(), [&](const TPublishAccount& a) { return a.id == account.id; }),
                 accounts.end());
  accounts.push_back(std::move(account));
  SavePublishSettings(folder, settings);
  return 0;
}

int NoPublish(const std::wstring& folder, const std::vector<std::wstring>& arguments, std::wstring& why) {
  if (arguments.size() != 1) return why = L"usage: -NoPublish <account key>", kRefused;
  const TStoreLock change(folder);
  const std::optional<TFound> found = FindAccount(folder, arguments[0]);
  if (!found) return why = L"no account has the key " + arguments[0], kRefused;
  TPublishSettings settings = LoadPublishSettings(folder);
  auto& accounts = settings.accounts;
  accounts.erase(std::remove_if(accounts.begin(), accounts.end(), [&](const TPublishAccount& a) { return a.id == found->id; }),
                 accounts.end());
  SavePublishSettings(folder, settings);
  return 0;
}

int AddressService(const std::wstring& folder, const std::vector<std::wstring>& arguments, std::wstring& why) {
  if (arguments.size() != 1) return why = L"usage: -AddressService <http or https URL>", kRefused;
  const std::wstring url = TrimBlanks(arguments[0]);
  if (!url.empty() && !IsAddressServiceUrl(url)) return why = L"not an http or https URL: " + url, kRefused;
  const TStoreLock change(folder);
  TPublishSettings settings = LoadPublishSettings(folder);
  settings.addressService = url;
  SavePublishSettings(folder, settings);
  return 0;
}

}  // namespace

std::optional<int> RunPublishSwitch(const std::wstring& folder, const std::wstring& option,
                                    const std::vector<std::wstring>& arguments, std::wstring& why) {
  using TSwitch = int (*)(const std::wstring&, const std::vector<std::wstring>&, std::wstring&);
  TSwitch run = option == L"publish"          ? Publish
                : option == L"nopublish"      ? NoPublish
                : option == L"addressservice" ? AddressService
                                              : nullptr;
  if (!run) return std::nullopt;
  try {
    return run(folder, arguments, why);
  } catch (const TAgentError& e) {
    why = e.Description();
  }
  return kRefused;
}
