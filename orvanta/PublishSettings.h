// What the administrator configured for publishing, and what the agent last published,
// kept in the data folder beside the rest of the store:
//   Publish.xml    <Publish AddressService CheckSeconds>
//                    <Account Id Zone KeyName Secret Redirector/>…</Publish>
//                  written by the switches "-Publish", "-NoPublish", "-AddressService";
//                  Secret is the key's base64 text sealed like the other secrets at rest.
//                  CheckSeconds (tests only) replaces HeartBeat as the check interval.
//   Published.xml  <Published><Account Id Online><RRset Name Type/>…</Account>…</Published>
//                  the RRsets the agent's last accepted update left in each account's
//                  zone, so that the next one deletes those the profile no longer holds.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "orvanta/DnsMessage.h"
#include "orvanta/Tsig.h"

struct TPublishAccount {
  std::wstring id;  // the account's Id in Accounts.xml
  std::string zone;
  TTsigKey key;
  std::optional<uint32_t> redirector;  // the web redirector's address, when there is one
};

struct TPublishSettings {
  std::wstring addressService;  // http(s) URL; empty: the interface address
  int checkSeconds = 0;         // 0: the local settings' HeartBeat
  std::vector<TPublishAccount> accounts;
  std::vector<std::wstring> unreadable;  // accounts whose secret does not open here
};

namespace publish_files {
constexpr wchar_t kSettings[] = L"Publish.xml";
constexpr wchar_t kPublished[] = L"Published.xml";
constexpr wchar_t kLog[] = L"Publish.log";
}  // namespace publish_files

// `folder` ends in a backslash. Loading an absent file gives empty settings; a damaged
// one raises TAgentError(StoreCorrupt). Saving raises TAgentError(StoreWrite).
TPublishSettings LoadPublishSettings(const std::wstring& folder);
void SavePublishSettings(const std::wstring& folder, const TPublishSettings& settings);

// What the last accepted update of an account left published.
struct TPublished {
  bool online = false;
  std::vector<dns::TRRset> sets;  // names and types only
};
std::optional<TPublished> LoadPublished(const std::wstring& folder, const std::wstring& accountId);
void SavePublished(const std::wstring& folder, const std::wstring& accountId, const TPublished& published);

// "<key name>:hmac-sha256:<base64 secret>" as the administrator gives it; nothing with
// the reason in `why` when it is not that.
std::optional<TTsigKey> ParseKeyArgument(const std::wstring& text, std::wstring& why);
