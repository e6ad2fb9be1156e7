// The user profile the benchmarks load: `records` records, host records, aliases and
// mail exchangers in turn, each with its own name and data.
#pragma once
#include <string>

namespace bench {

inline std::wstring ProfileText(int records) {
  std::wstring as, cnames, mxs;
  for (int i = 0; i < records; ++i) {
    const std::wstring n = std::to_wstring(i);
    switch (i % 3) {
      case 0:
        as += L"<A><Name>host" + n + L"</Name><TTL>600</TTL><IPv4>" + std::to_wstring(16885952 + i) +
              L"</IPv4></A>";
        break;
      case 1:
        cnames += L"<CName><Name>alias" + n + L"</Name><TTL>300</TTL><Host>host" + n +
                  L".example.net</Host></CName>";
        break;
      default:
        mxs += L"<MX><Name>mail" + n + L"</Name><TTL>3600</TTL><NameExchange>mx" + n +
               L".example.net</NameExchange><Preference>10</Preference></MX>";
    }
  }
  return L"<UserInfo Modified=\"False\"><TTL>600</TTL><Domain>bench.example.net</Domain><As>" + as +
         L"</As><CNames>" + cnames + L"</CNames><MXs>" + mxs + L"</MXs><UserName>bench</UserName></UserInfo>";
}

}  // namespace bench
