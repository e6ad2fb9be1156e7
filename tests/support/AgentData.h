// What tests need from the replacement agent's side: where its data folder is, how to
// put it back to the demo data, how to set a state by writing its files, and what it
// stored (profiles, local settings, outbox). Tests using these hold LOCK agent.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace vt::test {

// The demo accounts the agent seeds.
inline constexpr wchar_t kDemoProKey[] = L"PRO8-4F2K-9QX7-DEMO";  // service type 3
inline constexpr wchar_t kDemoStdKey[] = L"STD3-7H1M-2PW5-DEMO";  // service type 1
inline constexpr wchar_t kDemoLanKey[] = L"LAN5-6C9R-3TZ8-DEMO";  // service type 5
inline constexpr wchar_t kDemoProId[] = L"pro";
inline constexpr wchar_t kDemoStdId[] = L"std";
inline constexpr wchar_t kDemoLanId[] = L"lan";
inline constexpr wchar_t kDemoProDomain[] = L"demo-pro.veltrano.net";
inline constexpr wchar_t kDemoStdDomain[] = L"demo-std.veltrano.net";
inline constexpr wchar_t kDemoLanDomain[] = L"office.vt-home.net";

// The agent executable of this build, and the machine's data folder of the agent
// ("<common application data>\Veltrano\OrvantaData\", ending in a backslash).
std::wstring AgentExePath();
std::wstring AgentDataDir();

// Runs "Orvanta.exe <option>" and waits for it; its exit code, or kSwitchNotStarted
// when it could not be started, or kSwitchTimedOut (the process then ended) when it
// did not end within `timeoutMs`. With `errors`, what went wrong and what the switch
// wrote on its standard error (the reason of a failure) come back there.
inline constexpr int kSwitchNotStarted = -1;
inline constexpr int kSwitchTimedOut = -2;
int RunAgentSwitch(const std::wstring& option, DWORD timeoutMs = 30000,
                   std::wstring* errors = nullptr);

// Rewrites the agent's data folder with the demo data and empties its outbox (the
// running agent notices and reloads). Records a test failure, with the reason the
// agent gave, when that fails.
void ResetAgentData();

// Writes the agent's session state file: the current account ("" for none), the
// sign-in state (2 or 3) and the on-line flag.
void WriteAgentState(const std::wstring& accountId, int userState, bool online);

// The current account's id, as the state file names it ("" for none).
std::wstring StoredCurrentAccount();

// The profile text the agent stored for the account (the current one when empty), its
// sealed answer opened as the agent opens it; "" when there is none.
std::wstring StoredUserProfile(const std::wstring& accountId = L"");

// The local settings text the agent stored; "" when there is none.
std::wstring StoredLocalSettings();

// The value of an attribute of the account's entry in the accounts file ("Key",
// "ServiceType", "Expiry", "Sequence"; a sealed key opened); "" when absent.
std::wstring StoredAccountValue(const std::wstring& accountId, const std::wstring& name);

// How often the agent's operation (e.g. "GetUserProfile") was called since the last
// reset, by any client; and putting every count back to 0.
long AgentCallCount(const char* operation);
void ResetAgentCallCounts();

struct TAgentMail {
  std::wstring file;
  std::wstring kind;  // "AccountKey" or "Answer"
  std::wstring to;
  std::wstring subject;
  std::wstring body;
};

// The messages in the agent's outbox, oldest first, their sealed bodies opened.
std::vector<TAgentMail> AgentOutbox();

// A file's text decoded from UTF-8; "" when the file cannot be read.
std::wstring ReadUtf8File(const std::wstring& path);
// Writes the text as UTF-8.
bool WriteUtf8File(const std::wstring& path, const std::wstring& text);

}  // namespace vt::test
