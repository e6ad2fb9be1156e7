// The agent's call journal: how often each operation of its interfaces was called,
// kept in a small named shared-memory block so that a test can see what a client
// asked of the agent without being that client (for instance that the program
// fetched its documents once, or sent nothing). Counting costs one interlocked add.
#pragma once

// The shared block's name and layout; tests read it with the same declarations.
inline constexpr wchar_t kCallJournalName[] = L"Local\\OrvantaCallJournal";
inline constexpr unsigned kCallJournalSlots = 32;
inline constexpr const char* kJournalOperations[] = {
    "Reserved1",        "Start",          "GetUserState",     "GetAuthorization",
    "SetAnswer",        "ChangeUser",     "ResendAccountKey", "GetUserProfile",
    "PutUserProfile",   "GetAppProfile",  "PutAppProfile",    "RebuildAccountKey",
    "ResendAnswer",     "FindDomains",    "Reserved13",       "Reserved14",
    "GetExpiryDate",    "GetServiceType", "GetDomainSequence", "IsOnline",
    "SignIn",           "SignOut",        "GetDomainList",
};

struct TCallJournalBlock {
  volatile long counts[kCallJournalSlots];
};

// Counts one call of the named operation (names outside the table are not counted).
void JournalCall(const char* operation);
