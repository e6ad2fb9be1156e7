#include "orvanta/Tsig.h"

#include <windows.h>
#include <bcrypt.h>

#include <stdexcept>

namespace {

// The TSIG variables a MAC covers after the message (RFC 8945 4.3.3), for a request or
// an answer alike.
TBytes TsigVariables(const std::string& keyName, uint64_t timeSigned, uint16_t fudge,
                     uint16_t error, const TBytes& other) {
  dns::TWireWriter w;
  const TBytes key = dns::CanonicalName(keyName);
  const TBytes algorithm = dns::CanonicalName(kHmacSha256);
  w.Raw(key.data(), key.size());
  w.U16(dns::kClassAny);
  w.U32(0);  // TTL
  w.Raw(algorithm.data(), algorithm.size());
  w.U16(static_cast<uint16_t>(timeSigned >> 32));
  w.U32(static_cast<uint32_t>(timeSigned));
  w.U16(fudge);
  w.U16(error);
  w.U16(static_cast<uint16_t>(other.size()));
  w.Raw(other.data(), other.size());
  return w.Bytes();
}

void Append(TBytes& to, const TBytes& bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

void Put16(TBytes& m, size_t at, uint16_t v) {
  m[at] = static_cast<uint8_t>(v >> 8);
  m[at + 1] = static_cast<uint8_t>(v);
}

// Constant time, so a forger learns nothing from how long a comparison took.
bool SameMac(const TBytes& a, const TBytes& b) {
  if (a.size() != b.size()) return false;
  uint8_t diff = 0;
  for (size_t i = 0; i < a.size(); ++i) diff |= a[i] ^ b[i];
  return diff == 0;
}

class THmacProvider {
 public:
  THmacProvider() {
    if (BCryptOpenAlgorithmProvider(&handle_, BCRYPT_SHA256_ALGORITHM, nullptr,
                                    BCRYPT_ALG_HANDLE_HMAC_FLAG) < 0)
      throw std::runtime_error("BCryptOpenAlgorithmProvider");
  }
  THmacProvider(const THmacProvider&) = delete;
  THmacProvider& operator=(const THmacProvider&) = delete;
  ~THmacProvider() { BCryptCloseAlgorithmProvider(handle_, 0); }
  BCRYPT_ALG_HANDLE Get() const { return handle_; }

 private:
  BCRYPT_ALG_HANDLE handle_ = nullptr;
};

}  // namespace

TBytes HmacSha256(const TBytes& key, const TBytes& data) {
  const THmacProvider provider;
  BCRYPT_HASH_HANDLE hash = nullptr;
  // An empty key is still a key; BCrypt wants a pointer either way.
  uint8_t none = 0;
  if (BCryptCreateHash(provider.Get(), &hash, nullptr, 0,
                       const_cast<uint8_t*>(key.empty() ? &none : key.data()),
                       static_cast<ULONG>(key.size()), 0) < 0)
    throw std::runtime_error("BCryptCreateHash");
  TBytes mac(32);
  const bool ok =
      BCryptHashData(hash, const_cast<uint8_t*>(data.data()), static_cast<ULONG>(data.size()), 0) >= 0 &&
      BCryptFinishHash(hash, mac.data(), static_cast<ULONG>(mac.size()), 0) >= 0;
  BCryptDestroyHash(hash);
  if (!ok) throw std::runtime_error("BCryptHashData");
  return mac;
}

uint64_t TsigNow() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const uint64_t ticks = static_cast<uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
  return ticks / 10000000ull - 11644473600ull;  // 100 ns since 1601 -> seconds since 1970
}

TBytes SignMessage(TBytes& message, const TTsigKey& key, uint64_t timeSigned) {
  const dns::THeader header = dns::ReadHeader(message);
  TBytes signedData = message;
  Append(signedData, TsigVariables(key.name, timeSigned, kTsigFudge, 0, {}));
  TBytes mac = HmacSha256(key.secret, signedData);

  dns::TWireWriter w;
  w.Bytes() = message;
  w.Name(key.name, false);
  w.U16(dns::kTypeTsig);
  w.U16(dns::kClassAny);
  w.U32(0);
  const size_t length = w.OpenLength();
  w.Name(kHmacSha256, false);  // RFC 8945 4.2: the algorithm name is never compressed
  w.U16(static_cast<uint16_t>(timeSigned >> 32));
  w.U32(static_cast<uint32_t>(timeSigned));
  w.U16(kTsigFudge);
  w.U16(static_cast<uint16_t>(mac.size()));
  w.Raw(mac.data(), mac.size());
  w.U16(header.id);
  w.U16(0);  // error
  w.U16(0);  // other length
  w.CloseLength(length);
  message = std::move(w.Bytes());
  Put16(message, 10, static_cast<uint16_t>(header.counts[3] + 1));
  return mac;
}

TSignedAnswer CheckAnswer(const TBytes& answer, const TBytes& requestMac, const TTsigKey& key,
                          uint64_t now) {
  const dns::THeader header = dns::ReadHeader(answer);
  TSignedAnswer result;
  result.rcode = header.Rcode();
  const std::optional<dns::TTsigRecord> tsig = dns::FindTsig(answer);
  if (!tsig) return result;
  result.tsigError = tsig->error;
  if (tsig->error == dns::kBadSig || tsig->error == dns::kBadKey || tsig->mac.empty())
    return result;
  if (dns::CanonicalName(tsig->keyName) != dns::CanonicalName(key.name) ||
      dns::CanonicalName(tsig->algorithm) != dns::CanonicalName(kHmacSha256))
    return result;
  // The answer as it was before the server added its TSIG record: the record cut off,
  // one additional record fewer, the request's id.
  TBytes covered;
  covered.push_back(static_cast<uint8_t>(requestMac.size() >> 8));
  covered.push_back(static_cast<uint8_t>(requestMac.size()));
  Append(covered, requestMac);
  TBytes unsignedAnswer(answer.begin(), answer.begin() + static_cast<ptrdiff_t>(tsig->start));
  Put16(unsignedAnswer, 0, tsig->originalId);
  Put16(unsignedAnswer, 10, static_cast<uint16_t>(header.counts[3] - 1));
  Append(covered, unsignedAnswer);
  Append(covered, TsigVariables(key.name, tsig->timeSigned, tsig->fudge, tsig->error,
                                tsig->otherData));
  const uint64_t skew = now > tsig->timeSigned ? now - tsig->timeSigned : tsig->timeSigned - now;
  result.verified = SameMac(HmacSha256(key.secret, covered), tsig->mac) && skew <= tsig->fudge;
  return result;
}
