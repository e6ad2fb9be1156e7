// The DNS wire format the agent speaks to a name server: dynamic updates (RFC 2136)
// built with name compression, and the few fields of an answer the agent reads. Windows
// offers dynamic update only with its own domain security, not with TSIG keys, so the
// agent keeps this small format of its own. Names are ASCII host names in text form,
// without a trailing dot; they compare without regard to letter case.
#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

namespace dns {

constexpr uint16_t kTypeA = 1;
constexpr uint16_t kTypeCname = 5;
constexpr uint16_t kTypeSoa = 6;
constexpr uint16_t kTypeMx = 15;
constexpr uint16_t kTypeTsig = 250;
constexpr uint16_t kClassIn = 1;
constexpr uint16_t kClassNone = 254;
constexpr uint16_t kClassAny = 255;
constexpr uint16_t kOpUpdate = 5;
constexpr size_t kHeaderSize = 12;

// Response codes (RFC 1035, 2136) and the TSIG errors (RFC 8945) the agent names.
enum TRcode : uint16_t {
  kNoError = 0, kFormErr = 1, kServFail = 2, kNxDomain = 3, kNotImp = 4, kRefused = 5,
  kYxDomain = 6, kYxRrset = 7, kNxRrset = 8, kNotAuth = 9, kNotZone = 10,
  kBadSig = 16, kBadKey = 17, kBadTime = 18, kBadTrunc = 22,
};
// "REFUSED", "BADSIG", ... or the number.
std::string RcodeName(uint16_t rcode);

// A message that cannot be read or a name that cannot be written.
class TWireError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// True for a host name this format writes: labels of 1 to 63 ASCII letters, digits,
// '-' or '_' (service labels), at most 253 characters in all.
bool IsWireName(const std::string& name);
// `name` equals `zone` or lies below it (case-insensitive).
bool InZone(const std::string& name, const std::string& zone);

// One record's data. A: `address` (four bytes, the first octet first on the wire);
// CNAME: `target`; MX: `preference` and `target`.
struct TRecordData {
  uint16_t type = kTypeA;
  uint32_t ttl = 0;
  uint8_t address[4] = {};
  uint16_t preference = 0;
  std::string target;

  bool operator==(const TRecordData& o) const;
};

// A name with the records of one type it holds: what an update replaces as a whole.
struct TRRset {
  std::string name;
  uint16_t type = kTypeA;
  std::vector<TRecordData> records;

  bool operator==(const TRRset& o) const;
};

// Builds messages in network byte order, compressing every name against the names
// already written (RFC 1035 4.1.4).
class TWireWriter {
 public:
  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v);
  void U32(uint32_t v);
  void Raw(const uint8_t* data, size_t size) { bytes_.insert(bytes_.end(), data, data + size); }
  // The name, compressed when `compress`, and offered for later compression either way.
  void Name(const std::string& name, bool compress = true);
  // Writes a 16-bit length placeholder; Close fills it with the bytes written since.
  size_t OpenLength();
  void CloseLength(size_t at);

  TBytes& Bytes() { return bytes_; }

 private:
  struct TKnown {
    std::string suffix;  // lower case
    uint16_t offset;
  };
  TBytes bytes_;
  std::vector<TKnown> known_;
};

// The name in the uncompressed, lower-case form TSIG digests use (RFC 8945 4.3.3).
TBytes CanonicalName(const std::string& name);

// An UPDATE message for `zone`: the zone section, then in the update section first the
// deletion of every RRset named in `remove` (name and type, records ignored), then
// every record of `add`. No prerequisites: the update states the wanted content.
TBytes BuildUpdate(uint16_t id, const std::string& zone, const std::vector<TRRset>& remove,
                   const std::vector<TRRset>& add);

// What the agent reads of a message: the header and where each record of the
// additional section begins.
struct THeader {
  uint16_t id = 0;
  uint16_t flags = 0;
  uint16_t counts[4] = {};

  bool Response() const { return (flags & 0x8000) != 0; }
  uint16_t Opcode() const { return (flags >> 11) & 0xF; }
  bool Truncated() const { return (flags & 0x0200) != 0; }
  uint16_t Rcode() const { return flags & 0xF; }
};
THeader ReadHeader(const TBytes& message);

// A parsed TSIG record at the end of a message (RFC 8945 4.2).
struct TTsigRecord {
  size_t start = 0;  // where the record begins in the message
  std::string keyName;
  std::string algorithm;
  uint64_t timeSigned = 0;
  uint16_t fudge = 0;
  TBytes mac;
  uint16_t originalId = 0;
  uint16_t error = 0;
  TBytes otherData;
};
// The message's last additional record when it is a TSIG record; nothing when the
// message carries none. Raises TWireError for a message that cannot be read.
std::optional<TTsigRecord> FindTsig(const TBytes& message);

}  // namespace dns
