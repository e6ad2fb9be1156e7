// Whether a file could give a secret away: its bytes searched for the secret as UTF-8
// and as UTF-16, and for the base64 of either.
#pragma once
#include <string>

// The file's bytes; empty when it cannot be read.
std::string FileBytes(const std::wstring& path);
// True when `bytes` hold `secret` in one of those forms.
bool HoldsSecret(const std::string& bytes, const std::wstring& secret);
