// The update messages and their signatures, byte for byte: an update built by the
// rules of RFC 1035 and RFC 2136 by hand, HMAC-SHA256 against RFC 4231, and a signed
// exchange with a real name server (a request signed by an independent HMAC and the
// answer BIND 9 gave to it), so a fault in the format or the digest shows here before
// a name server refuses it.
#include <gtest/gtest.h>

#include <string>

#include "orvanta/DnsMessage.h"
#include "orvanta/Tsig.h"

namespace {

TBytes Hex(const std::string& text) {
  TBytes bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    while (text[i] == ' ') ++i;
    bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

TBytes Text(const std::string& text) { return TBytes(text.begin(), text.end()); }

dns::TRecordData A(uint32_t ttl, uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  dns::TRecordData r;
  r.ttl = ttl;
  r.address[0] = a, r.address[1] = b, r.address[2] = c, r.address[3] = d;
  return r;
}

dns::TRecordData Mx(uint32_t ttl, uint16_t preference, const std::string& host) {
  dns::TRecordData r;
  r.type = dns::kTypeMx;
  r.ttl = ttl;
  r.preference = preference;
  r.target = host;
  return r;
}

// The key the captured exchange was signed with, as tsig-keygen made it.
const TTsigKey kCaptureKey{"publish-key", Hex("516bc6fe998779798049fa3acc910101"
                                              "243152eda81a643e961e9a21db1c2e91")};
constexpr uint64_t kCaptureTime = 1796800228;
// An update of veltrano.net: delete vector.veltrano.net A, add it with 300 A 192.0.2.1,
// written without compression, signed with the key at kCaptureTime.
const std::string kCaptureRequest =
    "4d2a28000001000000020001 0876656c7472616e6f036e6574000006000106766563746f720876656c7472616e6f036e6574"
    "00000100ff00000000000006766563746f720876656c7472616e6f036e657400000100010000012c0004c0000201"
    "0b7075626c6973682d6b65790000fa00ff00000000003d0b686d61632d7368613235360000006b18fee4012c0020"
    "e4da2a9dc763024d49845cbb0f811ad743ff7b218229969c167d54b4bd18a0da4d2a00000000";
const std::string kCaptureMac = "e4da2a9dc763024d49845cbb0f811ad743ff7b218229969c167d54b4bd18a0da";
// BIND 9.18's answer: NOERROR, the zone echoed, its own TSIG over the request's MAC.
const std::string kCaptureAnswer =
    "4d2aa80000010000000000010876656c7472616e6f036e657400000600010b7075626c6973682d6b65790000fa00ff"
    "00000000003d0b686d61632d7368613235360000006b18fee4012c0020c596759bc2781e8719119196fc5e20239e4c"
    "ff8f655e6acbdf4aacd8a27fe2ba4d2a00000000";
constexpr size_t kCaptureUnsignedSize = 96;  // the request before its TSIG record

TEST(PublishWireTest, AnUpdateDeletesThenAddsWithEveryNameCompressed) {
  const TBytes built = dns::BuildUpdate(0x1234, "example.com", {{"www.example.com", dns::kTypeA, {}}},
                                        {{"WWW.example.com", dns::kTypeA, {A(300, 192, 0, 2, 1)}},
                                         {"mail.example.com", dns::kTypeMx, {Mx(3600, 10, "www.example.com")}}});
  EXPECT_EQ(built, Hex("1234 2800 0001 0000 0003 0000"         // UPDATE, 1 zone, 3 updates
                       "076578616d706c6503636f6d00 0006 0001"  // zone example.com SOA IN at 12
                       "03777777c00c 0001 00ff 00000000 0000"  // delete www (at 29) A, class ANY
                       "c01d 0001 0001 0000012c 0004 c0000201"  // add www A 192.0.2.1, case ignored
                       "046d61696cc00c 000f 0001 00000e10 0004 000a c01d"));  // MX 10 www, in the data too
}

TEST(PublishWireTest, NamesAreCheckedAndZonesContainTheirNamesOnly) {
  EXPECT_TRUE(dns::IsWireName("_dmarc.mail-1.example.com"));
  EXPECT_FALSE(dns::IsWireName("a..b"));
  EXPECT_FALSE(dns::IsWireName("bad name.example.com"));
  EXPECT_FALSE(dns::IsWireName(std::string(64, 'a') + ".com"));
  EXPECT_THROW(dns::BuildUpdate(1, "例子.com", {}, {}), dns::TWireError);
  EXPECT_TRUE(dns::InZone("WWW.Example.com", "example.com"));
  EXPECT_TRUE(dns::InZone("example.com", "EXAMPLE.com"));
  EXPECT_FALSE(dns::InZone("badexample.com", "example.com"));
  EXPECT_FALSE(dns::InZone("example.org", "example.com"));
}

TEST(PublishWireTest, HmacSha256GivesTheRfc4231Values) {
  EXPECT_EQ(HmacSha256(Text("Jefe"), Text("what do ya want for nothing?")),
            Hex("5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843"));  // test case 2
  EXPECT_EQ(HmacSha256(TBytes(131, 0xaa), Text("Test Using Larger Than Block-Size Key - Hash Key First")),
            Hex("60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54"));  // test case 6
}

TEST(PublishWireTest, TheSignatureIsTheOneANameServerAcceptedAndItsAnswerIsBelieved) {
  const TBytes request = Hex(kCaptureRequest);
  TBytes message(request.begin(), request.begin() + kCaptureUnsignedSize);
  message[11] = 0;  // no additional record before signing
  const TBytes mac = SignMessage(message, kCaptureKey, kCaptureTime);
  EXPECT_EQ(mac, Hex(kCaptureMac));
  EXPECT_EQ(message, request);

  const TSignedAnswer answer = CheckAnswer(Hex(kCaptureAnswer), mac, kCaptureKey, kCaptureTime + 1);
  EXPECT_EQ(answer.rcode, dns::kNoError);
  EXPECT_TRUE(answer.verified);
}

TEST(PublishWireTest, AnAnswerIsNotBelievedWhenAnythingInItOrAroundItIsWrong) {
  const TBytes mac = Hex(kCaptureMac);
  TBytes forged = Hex(kCaptureAnswer);
  forged[3] = 0x05;  // NOERROR turned into REFUSED on the way: the MAC no longer fits
  EXPECT_FALSE(CheckAnswer(forged, mac, kCaptureKey, kCaptureTime).verified);
  TTsigKey otherKey = kCaptureKey;
  otherKey.secret[0] ^= 1;
  EXPECT_FALSE(CheckAnswer(Hex(kCaptureAnswer), mac, otherKey, kCaptureTime).verified);
  TBytes otherRequest = mac;
  otherRequest[0] ^= 1;
  EXPECT_FALSE(CheckAnswer(Hex(kCaptureAnswer), otherRequest, kCaptureKey, kCaptureTime).verified);
  EXPECT_FALSE(CheckAnswer(Hex(kCaptureAnswer), mac, kCaptureKey, kCaptureTime + kTsigFudge + 1).verified)
      << "signed too long ago";
  const TBytes cut(forged.begin(), forged.end() - 3);
  EXPECT_THROW(CheckAnswer(cut, mac, kCaptureKey, kCaptureTime), dns::TWireError);
}

TEST(PublishWireTest, ARefusedKeyIsReadFromTheUnsignedAnswer) {
  // NOTAUTH with a TSIG record of error BADKEY and no MAC (RFC 8945 5.2.2).
  const TBytes answer = Hex("4d2aa80900010000000000010876656c7472616e6f036e65740000060001"
                            "0b7075626c6973682d6b65790000fa00ff00000000001d0b686d61632d736861323536"
                            "0000006b18fee4012c00004d2a00110000");
  const TSignedAnswer checked = CheckAnswer(answer, Hex(kCaptureMac), kCaptureKey, kCaptureTime);
  EXPECT_EQ(dns::RcodeName(checked.rcode), "NOTAUTH");
  EXPECT_EQ(dns::RcodeName(checked.tsigError), "BADKEY");
  EXPECT_FALSE(checked.verified);
}

}  // namespace
