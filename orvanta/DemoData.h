// The demo data the agent seeds on first start and on "-Reset": three accounts (a
// professional, a standard and an intranet professional one) with rich profiles, the
// domain suffixes, a registry of other accounts' domains and the local settings.
#pragma once
#include "orvanta/AgentStore.h"

namespace demo {
constexpr wchar_t kProKey[] = L"PRO8-4F2K-9QX7-DEMO";
constexpr wchar_t kStdKey[] = L"STD3-7H1M-2PW5-DEMO";
constexpr wchar_t kLanKey[] = L"LAN5-6C9R-3TZ8-DEMO";
constexpr wchar_t kProId[] = L"pro";
constexpr wchar_t kStdId[] = L"std";
constexpr wchar_t kLanId[] = L"lan";
}  // namespace demo

// `today` is the OLE date of the current local day at midnight; expiry dates and
// time stamps are placed relative to it so the demo accounts never start expired.
TStoreData DemoData(double today);

// The local settings document the agent hands out when none is stored.
std::wstring DefaultLocalSetting();

// The OLE date of today's local midnight.
double LocalToday();

// The integer form of an IPv4 address a.b.c.d: the four octets in network order read
// as one little-endian signed 32-bit number.
int IPv4Value(int a, int b, int c, int d);
