#include "orvanta/DnsMessage.h"

#include <algorithm>
#include <cctype>

namespace dns {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> Labels(const std::string& name) {
  std::vector<std::string> labels;
  size_t start = 0;
  while (start <= name.size() && !name.empty()) {
    const size_t dot = name.find('.', start);
    labels.push_back(name.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return labels;
}

bool ValidLabel(const std::string& label) {
  if (label.empty() || label.size() > 63) return false;
  return std::all_of(label.begin(), label.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
  });
}

// Reads the 16-bit value at `at`; raises TWireError past the end.
uint16_t Read16(const TBytes& m, size_t at) {
  if (at + 2 > m.size()) throw TWireError("message ends early");
  return static_cast<uint16_t>(m[at] << 8 | m[at + 1]);
}

uint32_t Read32(const TBytes& m, size_t at) {
  return static_cast<uint32_t>(Read16(m, at)) << 16 | Read16(m, at + 2);
}

// Reads the name at `at` (following compression pointers) and returns where the data
// after it begins.
size_t ReadName(const TBytes& m, size_t at, std::string* name) {
  size_t end = 0;  // after the name where it began, once a pointer was followed
  for (int hops = 0; hops < 64; ++hops) {
    if (at >= m.size()) throw TWireError("name runs past the message");
    const uint8_t length = m[at];
    if ((length & 0xC0) == 0xC0) {
      if (!end) end = at + 2;
      at = Read16(m, at) & 0x3FFF;
      continue;
    }
    if (length & 0xC0) throw TWireError("unknown label type");
    if (length == 0) return end ? end : at + 1;
    if (at + 1 + length > m.size()) throw TWireError("label runs past the message");
    if (name) {
      if (!name->empty()) name->push_back('.');
      name->append(reinterpret_cast<const char*>(&m[at + 1]), length);
    }
    at += 1 + length;
  }
  throw TWireError("compression loop");
}

// Returns where the record at `at` ends.
size_t SkipRecord(const TBytes& m, size_t at, bool question) {
  at = ReadName(m, at, nullptr);
  if (question) return at + 4;
  return at + 10 + Read16(m, at + 8);
}

void WriteRecordData(TWireWriter& w, const TRecordData& r) {
  const size_t length = w.OpenLength();
  switch (r.type) {
    case kTypeA: w.Raw(r.address, 4); break;
    case kTypeCname: w.Name(r.target); break;
    case kTypeMx:
      w.U16(r.preference);
      w.Name(r.target);
      break;
    default: throw TWireError("record type not written");
  }
  w.CloseLength(length);
}

}  // namespace

std::string RcodeName(uint16_t rcode) {
  static const char* const kNames[] = {"NOERROR", "FORMERR", "SERVFAIL", "NXDOMAIN", "NOTIMP",
                                       "REFUSED", "YXDOMAIN", "YXRRSET", "NXRRSET", "NOTAUTH",
                                       "NOTZONE"};
  if (rcode < std::size(kNames)) return kNames[rcode];
  switch (rcode) {
    case kBadSig: return "BADSIG";
    case kBadKey: return "BADKEY";
    case kBadTime: return "BADTIME";
    case kBadTrunc: return "BADTRUNC";
    default: return "RCODE " + std::to_string(rcode);
  }
}

bool IsWireName(const std::string& name) {
  if (name.empty() || name.size() > 253) return false;
  const std::vector<std::string> labels = Labels(name);
  return std::all_of(labels.begin(), labels.end(), ValidLabel);
}

bool InZone(const std::string& name, const std::string& zone) {
  const std::string n = Lower(name), z = Lower(zone);
  if (n == z) return true;
  return n.size() > z.size() && n.compare(n.size() - z.size(), z.size(), z) == 0 &&
         n[n.size() - z.size() - 1] == '.';
}

bool TRecordData::operator==(const TRecordData& o) const {
  return type == o.type && ttl == o.ttl && std::equal(address, address + 4, o.address) &&
         preference == o.preference && Lower(target) == Lower(o.target);
}

bool TRRset::operator==(const TRRset& o) const {
  return Lower(name) == Lower(o.name) && type == o.type && records == o.records;
}

void TWireWriter::U16(uint16_t v) {
  bytes_.push_back(static_cast<uint8_t>(v >> 8));
  bytes_.push_back(static_cast<uint8_t>(v));
}

void TWireWriter::U32(uint32_t v) {
  U16(static_cast<uint16_t>(v >> 16));
  U16(static_cast<uint16_t>(v));
}

void TWireWriter::Name(const std::string& name, bool compress) {
  if (!IsWireName(name)) throw TWireError("not a host name: " + name);
  const std::vector<std::string> labels = Labels(name);
  for (size_t i = 0; i < labels.size(); ++i) {
    std::string suffix = Lower(labels[i]);
    for (size_t j = i + 1; j < labels.size(); ++j) {
      suffix += '.';
      suffix += Lower(labels[j]);
    }
    if (compress) {
      const auto known = std::find_if(known_.begin(), known_.end(),
                                      [&](const TKnown& k) { return k.suffix == suffix; });
      if (known != known_.end()) {
        U16(static_cast<uint16_t>(0xC000 | known->offset));
        return;
      }
    }
    // A pointer holds 14 bits of offset: names further in are written but not offered.
    if (bytes_.size() < 0x4000) known_.push_back({suffix, static_cast<uint16_t>(bytes_.size())});
    U8(static_cast<uint8_t>(labels[i].size()));
    Raw(reinterpret_cast<const uint8_t*>(labels[i].data()), labels[i].size());
  }
  U8(0);
}

size_t TWireWriter::OpenLength() {
  U16(0);
  return bytes_.size();
}

void TWireWriter::CloseLength(size_t at) {
  const size_t length = bytes_.size() - at;
  bytes_[at - 2] = static_cast<uint8_t>(length >> 8);
  bytes_[at - 1] = static_cast<uint8_t>(length);
}

TBytes CanonicalName(const std::string& name) {
  TWireWriter w;
  w.Name(Lower(name), false);
  return w.Bytes();
}

TBytes BuildUpdate(uint16_t id, const std::string& zone, const std::vector<TRRset>& remove,
                   const std::vector<TRRset>& add) {
  size_t updates = remove.size();
  for (const TRRset& set : add) updates += set.records.size();
  if (updates > 0xFFFF) throw TWireError("too many records for one update");
  TWireWriter w;
  w.U16(id);
  w.U16(kOpUpdate << 11);
  w.U16(1);  // zone
  w.U16(0);  // prerequisites
  w.U16(static_cast<uint16_t>(updates));
  w.U16(0);  // additional
  w.Name(zone);
  w.U16(kTypeSoa);
  w.U16(kClassIn);
  for (const TRRset& set : remove) {  // RFC 2136 2.5.2: class ANY, TTL 0, no data
    w.Name(set.name);
    w.U16(set.type);
    w.U16(kClassAny);
    w.U32(0);
    w.U16(0);
  }
  for (const TRRset& set : add) {
    for (const TRecordData& r : set.records) {
      w.Name(set.name);
      w.U16(r.type);
      w.U16(kClassIn);
      w.U32(r.ttl);
      WriteRecordData(w, r);
    }
  }
  return w.Bytes();
}

THeader ReadHeader(const TBytes& message) {
  if (message.size() < kHeaderSize) throw TWireError("message shorter than its header");
  THeader h;
  h.id = Read16(message, 0);
  h.flags = Read16(message, 2);
  for (int i = 0; i < 4; ++i) h.counts[i] = Read16(message, 4 + 2 * i);
  return h;
}

std::optional<TTsigRecord> FindTsig(const TBytes& message) {
  const THeader h = ReadHeader(message);
  if (h.counts[3] == 0) return std::nullopt;
  size_t at = kHeaderSize;
  for (int i = 0; i < h.counts[0]; ++i) at = SkipRecord(message, at, true);
  const int before = h.counts[1] + h.counts[2] + h.counts[3] - 1;
  for (int i = 0; i < before; ++i) at = SkipRecord(message, at, false);
  TTsigRecord t;
  t.start = at;
  at = ReadName(message, at, &t.keyName);
  if (Read16(message, at) != kTypeTsig) return std::nullopt;
  const size_t dataEnd = at + 10 + Read16(message, at + 8);
  if (dataEnd > message.size()) throw TWireError("TSIG record runs past the message");
  at = ReadName(message, at + 10, &t.algorithm);
  t.timeSigned = static_cast<uint64_t>(Read16(message, at)) << 32 | Read32(message, at + 2);
  t.fudge = Read16(message, at + 6);
  const uint16_t macSize = Read16(message, at + 8);
  at += 10;
  if (at + macSize + 6 > dataEnd) throw TWireError("TSIG record too short");
  t.mac.assign(message.begin() + static_cast<ptrdiff_t>(at),
               message.begin() + static_cast<ptrdiff_t>(at + macSize));
  at += macSize;
  t.originalId = Read16(message, at);
  t.error = Read16(message, at + 2);
  const uint16_t otherSize = Read16(message, at + 4);
  at += 6;
  if (at + otherSize != dataEnd) throw TWireError("TSIG record length does not add up");
  t.otherData.assign(message.begin() + static_cast<ptrdiff_t>(at),
                     message.begin() + static_cast<ptrdiff_t>(dataEnd));
  return t;
}

}  // namespace dns
