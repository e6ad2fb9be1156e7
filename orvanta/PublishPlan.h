// What the agent publishes for an account: the RRsets a profile describes, for the
// account signed in (online) or not (offline), inside the account's zone.
//
//   the domain itself   online:  11 the machine's public address, 12 OnlineFixedIP,
//                                15 the interface address, 13/14 the redirector's address
//                       offline: 21 OfflineIP, 25 a CNAME to OfflineHost, 23 nothing,
//                                22/24 the redirector's address
//   host records (As)       an A at Name under the domain, with the record's TTL
//   aliases (CNames)        a CNAME at Name to Host
//   mail exchangers (MXs)   an MX at Name with Preference and NameExchange
// An empty Name or "@" is the domain itself. Records of one name and type form one
// RRset. What cannot be published (no address known, no redirector, a name that is no
// host name or lies outside the zone, an alias beside other data) is left out with a
// note saying why.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "orvanta/DnsMessage.h"

struct TPublishProfile {
  struct THost { std::string name; uint32_t ttl; uint32_t address; };
  struct TAlias { std::string name; uint32_t ttl; std::string host; };
  struct TExchanger { std::string name; uint32_t ttl; std::string host; uint16_t preference; };

  std::string domain;
  uint32_t ttl = 0;  // the domain's own cache time
  int onlineType = 0, offlineType = 0;
  uint32_t onlineFixedIP = 0, offlineIP = 0;  // first octet in the lowest byte
  std::string offlineHost;
  std::vector<THost> hosts;
  std::vector<TAlias> aliases;
  std::vector<TExchanger> exchangers;
};

// Reads the fields above from a UserInfo text (through MSXML: the calling thread has
// entered COM). Raises TAgentError(MalformedDocument) for a text that is no profile.
TPublishProfile ReadPublishProfile(const std::wstring& userInfo);

// The addresses the domain's own record may take; each may be unknown.
struct TAddresses {
  std::optional<uint32_t> machine;     // the public address (the address service's answer)
  std::optional<uint32_t> local;       // the interface toward the name server
  std::optional<uint32_t> redirector;  // configured by the administrator
};

struct TPublishPlan {
  std::vector<dns::TRRset> sets;
  std::vector<std::string> notes;  // what was left out, and why
  std::string refusal;             // set when nothing may be published at all
};

TPublishPlan PlanPublication(const TPublishProfile& profile, bool online,
                             const TAddresses& addresses, const std::string& zone);

// "a.b.c.d" for an address kept with the first octet in the lowest byte, and back.
std::string AddressText(uint32_t address);
std::optional<uint32_t> ParseAddress(const std::string& text);
