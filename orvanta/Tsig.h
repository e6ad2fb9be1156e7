// Transaction signatures (TSIG, RFC 8945) with HMAC-SHA256: the agent signs each update
// with the key the administrator gave it, and believes an answer only when the name
// server signed it with the same key over the agent's own request. The MAC comes from
// the platform's cryptography (BCrypt's HMAC provider).
#pragma once
#include <cstdint>
#include <string>

#include "orvanta/DnsMessage.h"

struct TTsigKey {
  std::string name;  // the key's name as the name server knows it
  TBytes secret;
};

constexpr char kHmacSha256[] = "hmac-sha256";
constexpr uint16_t kTsigFudge = 300;  // seconds either way, as RFC 8945 recommends

// HMAC-SHA256 of `data` under `key`. Raises std::runtime_error when the platform fails.
TBytes HmacSha256(const TBytes& key, const TBytes& data);

// Seconds since 1970 (UTC), as TSIG counts time.
uint64_t TsigNow();

// Appends the TSIG record to the message (and counts it in the header) and returns
// the MAC, which the answer's signature covers.
TBytes SignMessage(TBytes& message, const TTsigKey& key, uint64_t timeSigned);

// What the answer to a signed request says.
struct TSignedAnswer {
  uint16_t rcode = 0;      // the header's response code
  uint16_t tsigError = 0;  // the TSIG record's error (BADSIG, BADKEY, BADTIME), 0 if none
  bool verified = false;   // signed with the key over the request's MAC, within the fudge
};

// Reads an answer to the request signed with `requestMac`. A server that refuses a key
// or a signature answers unsigned (RFC 8945 5.2): its error is reported, never
// verified. Raises dns::TWireError for an answer that cannot be read.
TSignedAnswer CheckAnswer(const TBytes& answer, const TBytes& requestMac, const TTsigKey& key,
                          uint64_t now);
