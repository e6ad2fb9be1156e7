// The simulated service's e-mail: each message the service would send (an account
// key, the answer to the security question) becomes one UTF-8 text file in the
// data folder's Outbox, so a person or a test can read what was sent.
//
// File name: "<number>-<kind>.txt", the number counting up from 000001.
// Content:   "To: ...", "Subject: ...", "Kind: ...", an empty line, then the body, which
//            carries a key or an answer and so is sealed (Secrets.h).
#pragma once
#include <string>

struct TMail {
  std::wstring kind;  // "AccountKey", "Answer"
  std::wstring to;
  std::wstring subject;
  std::wstring body;
};

// Writes the message into `outboxFolder` (ending in a backslash) and returns the file's
// name. Raises TAgentError(StoreWrite) on failure.
std::wstring PostMail(const std::wstring& outboxFolder, const TMail& mail);

// Deletes every message file of the outbox.
void ClearOutbox(const std::wstring& outboxFolder);
