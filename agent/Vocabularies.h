// The fixed vocabularies that the pages offer in their combo boxes, in the order they
// are shown. Where a page stores the position of the choice (connection types,
// service kinds) the position is the stored value; the other tables pair what is
// shown with what is stored or used.
#pragma once
#include <array>
#include <span>
#include <string>
#include <vector>

// What is shown and what is stored for one choice.
struct TVocabularyItem {
  const wchar_t* shown;
  const wchar_t* value;
};

// What a table shows, in order: the entries of its combo box.
inline std::vector<std::wstring> ShownTexts(std::span<const TVocabularyItem> items) {
  std::vector<std::wstring> texts;
  for (const TVocabularyItem& item : items) texts.push_back(item.shown);
  return texts;
}

// Position = stored value.
inline constexpr std::array<const wchar_t*, 10> kConnectionTypes = {
    L"Narrow Band", L"Modem", L"ISDN", L"Dual ISDN", L"Broad Band",
    L"DSL",         L"CABLE", L"T1",   L"T3",        L"LAN"};

// Position = stored value.
inline constexpr std::array<const wchar_t*, 11> kServiceKinds = {
    L"WWW", L"FTP", L"SMTP", L"POP3", L"GOPHER", L"TELNET",
    L"SNMP", L"SNNP", L"GAME", L"CONFERENCE", L"OTHER"};

// Cache times offered, in minutes; documents store seconds (minutes x 60).
inline constexpr std::array<int, 6> kCacheTimeMinutes = {1, 5, 10, 30, 60, 120};

// The machine's current on-line address. It is stored as this text; the agent puts
// the address in, never this program.
inline constexpr wchar_t kOnlineIpPlaceholder[] = L"<Online IP>";

// Host of a URL redirection's on-line target.
inline constexpr std::array<TVocabularyItem, 3> kOnlineUrlHosts = {{
    {L"My Server!", kOnlineIpPlaceholder},
    {L"Domain...", L"dn"},
    {L"IP Address...", L"ip"},
}};

// Host of an off-line target: the machine has no on-line address then.
inline constexpr std::array<TVocabularyItem, 2> kOfflineUrlHosts = {{
    {L"Domain...", L"dn"},
    {L"IP Address...", L"ip"},
}};

// URL schemes; "Other..." has none of its own: the user types the scheme.
inline constexpr std::array<TVocabularyItem, 4> kUrlProtocols = {{
    {L"HTTP", L"http"},
    {L"HTTPS", L"https"},
    {L"FTP", L"ftp"},
    {L"Other...", L""},
}};

// Ready-made redirection URLs of the on-line settings.
inline constexpr std::array<TVocabularyItem, 4> kRedirectTemplates = {{
    {L"HTTP(80)", L"http://<Online IP>"},
    {L"HTTP[8080]", L"http://<Online IP>:8080"},
    {L"HTTPS", L"https://<Online IP>"},
    {L"FTP", L"FTP://<Online IP>"},
}};
