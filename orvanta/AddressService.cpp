#include "orvanta/AddressService.h"

#include <windows.h>
#include <winhttp.h>

#include "orvanta/PublishPlan.h"

namespace {

constexpr int kWaitMs = 5000;
constexpr DWORD kMostBytes = 1024;  // an address with some blanks; anything longer is no address

class THttpHandle {
 public:
  explicit THttpHandle(HINTERNET h) : h_(h) {}
  THttpHandle(const THttpHandle&) = delete;
  THttpHandle& operator=(const THttpHandle&) = delete;
  ~THttpHandle() { if (h_) WinHttpCloseHandle(h_); }
  HINTERNET Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HINTERNET h_;
};

struct TUrlParts {
  std::wstring host, path;
  INTERNET_PORT port = 0;
  bool secure = false;
};

std::optional<TUrlParts> SplitUrl(const std::wstring& url) {
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (url.empty() || !WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return std::nullopt;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
  if (!parts.dwHostNameLength) return std::nullopt;
  TUrlParts out;
  out.host.assign(parts.lpszHostName, parts.dwHostNameLength);
  out.path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  if (parts.lpszExtraInfo) out.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (out.path.empty()) out.path = L"/";
  out.port = parts.nPort;
  out.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  return out;
}

std::string Failed(const char* step) { return std::string(step) + " failed (error " + std::to_string(GetLastError()) + ")"; }

}  // namespace

bool IsAddressServiceUrl(const std::wstring& url) { return SplitUrl(url).has_value(); }

std::optional<uint32_t> AskAddressService(const std::wstring& url, std::string& why) {
  const std::optional<TUrlParts> parts = SplitUrl(url);
  if (!parts) {
    why = "the address service URL is not an http or https URL";
    return std::nullopt;
  }
  const THttpHandle session(WinHttpOpen(L"Orvanta", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                        WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) return why = Failed("WinHttpOpen"), std::nullopt;
  WinHttpSetTimeouts(session.Get(), kWaitMs, kWaitMs, kWaitMs, kWaitMs);
  const THttpHandle connection(WinHttpConnect(session.Get(), parts->host.c_str(), parts->port, 0));
  if (!connection) return why = Failed("WinHttpConnect"), std::nullopt;
  const THttpHandle request(WinHttpOpenRequest(connection.Get(), L"GET", parts->path.c_str(), nullptr,
                                               WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                               parts->secure ? WINHTTP_FLAG_SECURE : 0));
  if (!request) return why = Failed("WinHttpOpenRequest"), std::nullopt;
  if (!WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !WinHttpReceiveResponse(request.Get(), nullptr))
    return why = "the address service did not answer: " + Failed("the request"), std::nullopt;
  DWORD status = 0, size = sizeof status;
  WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                      &status, &size, WINHTTP_NO_HEADER_INDEX);
  if (status != 200) return why = "the address service answered HTTP " + std::to_string(status), std::nullopt;
  std::string body;
  for (;;) {
    char buffer[256];
    DWORD got = 0;
    if (!WinHttpReadData(request.Get(), buffer, sizeof buffer, &got)) return why = Failed("WinHttpReadData"), std::nullopt;
    if (!got) break;
    body.append(buffer, got);
    if (body.size() > kMostBytes) break;
  }
  const size_t first = body.find_first_not_of(" \t\r\n");
  const std::string text = first == std::string::npos ? "" : body.substr(first, body.find_last_not_of(" \t\r\n") - first + 1);
  const std::optional<uint32_t> address = ParseAddress(text);
  if (!address) why = "the address service's answer is no IPv4 address: " + text.substr(0, 40);
  return address;
}
