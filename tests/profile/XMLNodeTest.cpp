// The typed views over a real MSXML document: missing fields are created by reading,
// writes land in the DOM at once, and bad content raises instead of reading as zero.
#include <gtest/gtest.h>

#include "profile/AppProfile.h"
#include "toolkit/Exception.h"
#include "tests/support/TestPaths.h"
#include "tests/support/TestXml.h"
#include "profile/UserProfile.h"
#include "profile/XmlDom.h"

namespace {

TEST(UserProfileView, ReadingAMissingFieldCreatesItLast) {
  TXMLUserInfoType profile = ParseUserInfo(L"<UserInfo Modified=\"False\"><TTL>600</TTL></UserInfo>");
  EXPECT_EQ(profile.Domain(), L"");
  EXPECT_EQ(vt::test::CompactXml(profile.XML()),
            L"<UserInfo Modified=\"False\"><TTL>600</TTL><Domain></Domain></UserInfo>");
  EXPECT_EQ(profile.TTL(), 600);
}

TEST(UserProfileView, WritesAndTextForms) {
  TXMLUserInfoType profile = ParseUserInfo(L"<UserInfo/>");
  profile.SetModified(true);
  profile.SetOnlineFixedIP(16885952);
  profile.SetUserName(L"张三 <&\"'>");
  const std::wstring xml = profile.XML();
  EXPECT_EQ(xml.find(L"<?xml"), std::wstring::npos);
  EXPECT_NE(xml.find(L"Modified=\"True\""), std::wstring::npos);
  EXPECT_NE(xml.find(L"<OnlineFixedIP>16885952</OnlineFixedIP>"), std::wstring::npos);
  // What was written reads back exactly through a fresh parse of the markup.
  TXMLUserInfoType again = ParseUserInfo(xml);
  EXPECT_TRUE(again.Modified());
  EXPECT_EQ(again.UserName(), L"张三 <&\"'>");
}

TEST(UserProfileView, CopiesShareOneDocument) {
  TXMLUserInfoType a = ParseUserInfo(L"<UserInfo><Email>a@b</Email></UserInfo>");
  TXMLUserInfoType b = a;
  b.SetEmail(L"c@d");
  EXPECT_EQ(a.Email(), L"c@d");
}

TEST(UserProfileView, BadContentRaises) {
  TXMLUserInfoType profile =
      ParseUserInfo(L"<UserInfo><TTL></TTL><AccountState>x</AccountState>"
                    L"<UserName>a<b/>c</UserName><Email><!--n-->x</Email></UserInfo>");
  EXPECT_THROW(profile.TTL(), EError);           // empty numeric field
  EXPECT_THROW(profile.AccountState(), EError);  // not a number
  EXPECT_THROW(profile.DnsState(), EError);      // absent numeric field
  EXPECT_FALSE(profile.Modified());              // absent mark: not modified
  try {
    profile.UserName();
    FAIL();
  } catch (const EError& e) {
    EXPECT_EQ(e.Message(), L"元素的内容不是单一的文本");
  }
  EXPECT_THROW(profile.Email(), EError);
}

TEST(DocumentParsing, MalformedOrWrongRootRaises) {
  EXPECT_THROW(ParseUserInfo(L"<UserInfo><TTL>1</UserInfo>"), EXmlError);
  EXPECT_THROW(ParseUserInfo(L""), EXmlError);
  EXPECT_THROW(ParseUserInfo(L"<LocalSetting/>"), EXmlError);
  EXPECT_THROW(ParseLocalSetting(L"<UserInfo/>"), EXmlError);
  TXMLLocalSettingType local = ParseLocalSetting(
      L"<LocalSetting><Host>ns1</Host><HeartBeat>900</HeartBeat><AutoConnect>1</AutoConnect>"
      L"</LocalSetting>");
  EXPECT_EQ(local.Host(), L"ns1");
  EXPECT_EQ(local.HeartBeat(), 900);
  EXPECT_TRUE(local.AutoConnect());
}

TEST(ApplicationFile, MissingMalformedAndGood) {
  const std::wstring dir = vt::test::ScratchDir(L"appfile");
  EXPECT_THROW(LoadApplicationFile(dir + L"AppProfile.xml"), EXmlError);

  auto write = [&](const char* text) {
    HANDLE f = CreateFileW((dir + L"AppProfile.xml").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, text, static_cast<DWORD>(strlen(text)), &n, nullptr);
    CloseHandle(f);
  };
  write("<Application><Version>1.0</Version>");
  EXPECT_THROW(LoadApplicationFile(dir + L"AppProfile.xml"), EXmlError);
  write("<?xml version=\"1.0\" encoding=\"UTF-8\"?><Application><Version>1.0</Version></Application>");
  EXPECT_EQ(LoadApplicationFile(dir + L"AppProfile.xml").Version(), L"1.0");
}

}  // namespace
