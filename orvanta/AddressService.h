// The machine's public address as an address service on the web sees it: an HTTP(S)
// GET whose answer is the address as plain text ("203.0.113.7", blanks around it
// allowed), through WinHTTP.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The address (first octet in the lowest byte), or nothing with the reason in `why`
// (plain English, for the log) when the service cannot be reached in a few seconds or
// does not answer an address.
std::optional<uint32_t> AskAddressService(const std::wstring& url, std::string& why);

// True for an http:// or https:// URL WinHTTP can take apart.
bool IsAddressServiceUrl(const std::wstring& url);
