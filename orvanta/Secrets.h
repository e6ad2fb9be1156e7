// Secrets at rest: the account keys, the security answers and the mail that carries
// them are kept sealed with the platform's data protection in the machine's scope (the
// service and every user's agent read the same store), with an entropy value of the
// agent's own, and written as base64 where the clear text stood.
//
// A stored value counts as sealed when it is base64 of the length a sealed blob has at
// the least; anything else is clear text written by an earlier version, which is read
// as it is and sealed at the next write. No key (letters, digits and dashes) or answer
// a person types is a run of 88 or more base64 characters without a blank.
#pragma once
#include <optional>
#include <string>

// The value sealed and encoded; "" stays "". Throws std::runtime_error when the
// platform refuses (never expected).
std::wstring SealSecret(const std::wstring& plain);

// What a stored value holds.
struct TOpenedSecret {
  std::optional<std::wstring> plain;  // none: sealed, but not for this machine (or damaged)
  bool wasClear = false;              // stored as clear text by an earlier version
};
TOpenedSecret OpenSecret(const std::wstring& stored);

// A UserInfo text with the content of its Answer element sealed in place, character
// for character as it stood (entities and CDATA included), so that opening gives back
// exactly the text that was sealed; the rest of the text is left as it is.
std::wstring SealProfileText(const std::wstring& text);
// The text with its Answer opened; no text when the Answer cannot be opened here.
struct TOpenedProfile {
  std::optional<std::wstring> text;
  bool wasClear = false;  // its Answer was stored as clear text
};
TOpenedProfile OpenProfileText(const std::wstring& stored);
