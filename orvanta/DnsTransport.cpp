#include "orvanta/DnsTransport.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <optional>

namespace {

constexpr size_t kUdpLimit = 512;               // without EDNS, the size every server takes
constexpr DWORD kUdpWaitsMs[] = {1000, 2000, 4000};  // one try each, waiting longer each time
constexpr DWORD kTcpWaitMs = 5000;

class TWinsock {
 public:
  TWinsock() { ok_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
  TWinsock(const TWinsock&) = delete;
  TWinsock& operator=(const TWinsock&) = delete;
  ~TWinsock() { if (ok_) WSACleanup(); }

 private:
  WSADATA data_{};
  bool ok_ = false;
};

class TSocket {
 public:
  explicit TSocket(int type) : s_(socket(AF_INET, type, type == SOCK_DGRAM ? IPPROTO_UDP : IPPROTO_TCP)) {}
  TSocket(const TSocket&) = delete;
  TSocket& operator=(const TSocket&) = delete;
  ~TSocket() { if (s_ != INVALID_SOCKET) closesocket(s_); }
  SOCKET Get() const { return s_; }
  bool Ok() const { return s_ != INVALID_SOCKET; }

 private:
  SOCKET s_;
};

[[noreturn]] void Fail(const std::string& what) {
  throw TTransportError(what + " (socket error " + std::to_string(WSAGetLastError()) + ")");
}

sockaddr_in Resolve(const TNameServer& server) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (getaddrinfo(server.host.c_str(), nullptr, &hints, &found) != 0 || !found)
    throw TTransportError("cannot resolve the name server " + server.host);
  sockaddr_in address = *reinterpret_cast<sockaddr_in*>(found->ai_addr);
  freeaddrinfo(found);
  address.sin_port = htons(server.port);
  return address;
}

// Waits until the socket can be read (or written); false on time-out.
bool Ready(SOCKET s, DWORD timeoutMs, bool write = false) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval wait{static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
  return select(0, write ? nullptr : &set, write ? &set : nullptr, nullptr, &wait) == 1;
}

uint16_t IdOf(const TBytes& message) { return dns::ReadHeader(message).id; }

// One UDP exchange; nothing on time-out. Datagrams that answer something else are
// dropped, as a late answer to an earlier try may still arrive.
std::optional<TBytes> TryUdp(SOCKET s, const TBytes& request, DWORD waitMs) {
  if (send(s, reinterpret_cast<const char*>(request.data()), static_cast<int>(request.size()), 0) < 0)
    Fail("cannot send to the name server");
  const ULONGLONG deadline = GetTickCount64() + waitMs;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline || !Ready(s, static_cast<DWORD>(deadline - now))) return std::nullopt;
    TBytes answer(65535);
    const int got = recv(s, reinterpret_cast<char*>(answer.data()), static_cast<int>(answer.size()), 0);
    if (got < 0) Fail("the name server is not reachable");
    answer.resize(static_cast<size_t>(got));
    if (answer.size() >= dns::kHeaderSize && IdOf(answer) == IdOf(request)) return answer;
  }
}

void SendAll(SOCKET s, const TBytes& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    if (!Ready(s, kTcpWaitMs, true)) throw TTransportError("the name server stopped reading");
    const int n = send(s, reinterpret_cast<const char*>(bytes.data() + sent), static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) Fail("cannot send to the name server over TCP");
    sent += static_cast<size_t>(n);
  }
}

TBytes ReceiveExactly(SOCKET s, size_t size) {
  TBytes bytes(size);
  size_t got = 0;
  while (got < size) {
    if (!Ready(s, kTcpWaitMs)) throw TTransportError("no answer from the name server over TCP");
    const int n = recv(s, reinterpret_cast<char*>(bytes.data() + got), static_cast<int>(size - got), 0);
    if (n <= 0) Fail("the name server closed the TCP connection");
    got += static_cast<size_t>(n);
  }
  return bytes;
}

TBytes ExchangeTcp(const sockaddr_in& address, const TBytes& request) {
  TSocket s(SOCK_STREAM);
  if (!s.Ok()) Fail("no TCP socket");
  u_long nonBlocking = 1;
  ioctlsocket(s.Get(), FIONBIO, &nonBlocking);
  if (connect(s.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
      WSAGetLastError() != WSAEWOULDBLOCK)
    Fail("cannot connect to the name server over TCP");
  if (!Ready(s.Get(), kTcpWaitMs, true)) throw TTransportError("no TCP connection to the name server");
  TBytes framed = {static_cast<uint8_t>(request.size() >> 8), static_cast<uint8_t>(request.size())};
  framed.insert(framed.end(), request.begin(), request.end());
  SendAll(s.Get(), framed);
  const TBytes length = ReceiveExactly(s.Get(), 2);
  TBytes answer = ReceiveExactly(s.Get(), static_cast<size_t>(length[0] << 8 | length[1]));
  if (answer.size() < dns::kHeaderSize || IdOf(answer) != IdOf(request))
    throw TTransportError("the name server's TCP answer is not for this request");
  return answer;
}

}  // namespace

std::optional<TNameServer> ParseNameServer(const std::wstring& text) {
  std::string host;
  for (wchar_t c : text) {
    if (c > 0x7E || c <= L' ') return std::nullopt;  // ASCII host names and addresses only
    host.push_back(static_cast<char>(c));
  }
  TNameServer server;
  const size_t colon = host.rfind(':');
  if (colon != std::string::npos) {
    const std::string port = host.substr(colon + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    const unsigned long value = std::stoul(port);
    if (value == 0 || value > 65535) return std::nullopt;
    server.port = static_cast<uint16_t>(value);
    host.erase(colon);
  }
  if (host.empty()) return std::nullopt;
  server.host = host;
  return server;
}

TBytes ExchangeMessage(const TNameServer& server, const TBytes& request) {
  const TWinsock winsock;
  const sockaddr_in address = Resolve(server);
  if (request.size() > kUdpLimit) return ExchangeTcp(address, request);
  TSocket s(SOCK_DGRAM);
  if (!s.Ok()) Fail("no UDP socket");
  if (connect(s.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
    Fail("cannot address the name server");
  for (DWORD waitMs : kUdpWaitsMs) {
    if (std::optional<TBytes> answer = TryUdp(s.Get(), request, waitMs))
      return dns::ReadHeader(*answer).Truncated() ? ExchangeTcp(address, request) : *answer;
  }
  throw TTransportError("no answer from the name server " + server.host + ":" +
                        std::to_string(server.port));
}

std::optional<uint32_t> InterfaceAddressToward(const TNameServer& server) {
  try {
    const TWinsock winsock;
    const sockaddr_in address = Resolve(server);
    TSocket s(SOCK_DGRAM);
    // Connecting a UDP socket sends nothing: it only picks the route and so the interface.
    if (!s.Ok() || connect(s.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
      return std::nullopt;
    sockaddr_in local{};
    int size = sizeof local;
    if (getsockname(s.Get(), reinterpret_cast<sockaddr*>(&local), &size) != 0) return std::nullopt;
    return local.sin_addr.s_addr;  // the first octet in the lowest byte, as profiles keep it
  } catch (const TTransportError&) {
    return std::nullopt;
  }
}
