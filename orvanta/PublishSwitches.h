// The administrator's switches for publishing:
//   -Publish <account key> zone=<zone> key=<key name>:hmac-sha256:<base64 secret>
//            [redirector=<a.b.c.d>]   publish the account's domain and records to its zone
//            (given again, it replaces the account's settings)
//   -NoPublish <account key>          publish nothing more for the account (what was
//            published stays in the zone)
//   -AddressService <http(s) URL>     where the agent asks the machine's public address;
//            "" goes back to the interface address
// Each exits 0 once the setting is stored, else non-zero with the reason in `why`.
#pragma once
#include <optional>
#include <string>
#include <vector>

// The exit code of the switch, or nothing when `option` (lower case, no dash) is none of
// these. `folder` is the data folder.
std::optional<int> RunPublishSwitch(const std::wstring& folder, const std::wstring& option,
                                    const std::vector<std::wstring>& arguments, std::wstring& why);
