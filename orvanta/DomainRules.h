// Rules the simulated service applies to domain names: which names it accepts for an
// account, how names compare (without regard to letter case, as DNS does), and how a
// search pattern from the hierarchy dialogs matches a name.
#pragma once
#include <string>

// The text without leading and trailing blanks (spaces, tabs, line breaks).
std::wstring TrimBlanks(const std::wstring& text);

// Case-insensitive equality, as DNS compares names.
bool SameName(const std::wstring& a, const std::wstring& b);
// Case-insensitive ordering, for sorted lists of names.
bool NameLess(const std::wstring& a, const std::wstring& b);

// A host name the service registers: at most 253 characters, labels of 1 to 63
// letters, digits or '-' (not at either end of a label), at least two labels.
// Letters beyond ASCII are allowed, since the service also takes Chinese names.
bool IsValidDomainName(const std::wstring& name);

// Case-insensitive: the name begins with `prefix` (a search's best matches).
bool BeginsWith(const std::wstring& name, const std::wstring& prefix);

// Search patterns: with '*' (any run) or '?' (one character) the whole name must
// match; without them the pattern may occur anywhere in the name. Case-insensitive.
bool MatchesPattern(const std::wstring& name, const std::wstring& pattern);
