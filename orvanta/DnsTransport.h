// Carries one DNS message to a name server and brings its answer back: over UDP with
// time-outs and repeated tries, over TCP when the answer came truncated or the message
// does not fit a UDP datagram of the classic size (RFC 1035 4.2, RFC 7766).
#pragma once
#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "orvanta/DnsMessage.h"

// The name server the local settings name: "host", "host:port", "1.2.3.4:5353".
struct TNameServer {
  std::string host;
  uint16_t port = 53;
};
// Nothing when the text is no such name (empty, a bad port).
std::optional<TNameServer> ParseNameServer(const std::wstring& text);

// The server could not be reached, did not answer, or answered with something that is
// no answer to the request. The text is plain English for the log.
class TTransportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Sends the request and returns the answer with the request's id. Raises
// TTransportError when none came.
TBytes ExchangeMessage(const TNameServer& server, const TBytes& request);

// The address (first octet first) of this machine's interface that reaches `server`:
// the address the machine has on the network the name server is on.
std::optional<uint32_t> InterfaceAddressToward(const TNameServer& server);
