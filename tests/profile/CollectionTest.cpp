// Collections over a real MSXML document: item numbering in document order,
// add/insert/delete/clear, the write order of new records, shared item indexes that
// stay right while several views change the same list, and index errors.
#include <gtest/gtest.h>

#include "toolkit/Exception.h"
#include "tests/support/TestXml.h"
#include "profile/UserProfile.h"

namespace {

using vt::test::CompactXml;

TEST(Collections, ItemsAreTheChildrenWithTheItemTagInDocumentOrder) {
  TXMLUserInfoType profile = ParseUserInfo(
      L"<UserInfo><As><A><Name>www</Name></A><Note>not an item</Note><A><Name>ftp</Name></A>"
      L"</As></UserInfo>");
  TXMLAsType as = profile.As();
  ASSERT_EQ(as.Count(), 2);
  EXPECT_EQ(as.Item(0).Name(), L"www");
  EXPECT_EQ(as.Item(1).Name(), L"ftp");
  EXPECT_THROW(as.Item(2), EError);
  EXPECT_THROW(as.Item(-1), EError);
  EXPECT_THROW(as.Delete(2), EError);
  EXPECT_THROW(as.Insert(3), EError);
}

TEST(Collections, AnAbsentCollectionIsCreatedByItsGetter) {
  TXMLUserInfoType profile = ParseUserInfo(L"<UserInfo><TTL>60</TTL></UserInfo>");
  TXMLMXType mx = profile.MXs().Add();
  mx.SetName(L"mail");
  mx.SetTTL(3600);
  mx.SetNameExchange(L"mx.example");
  mx.SetPreference(10);
  EXPECT_EQ(CompactXml(profile.XML()),
            L"<UserInfo><TTL>60</TTL><MXs><MX><Name>mail</Name><TTL>3600</TTL>"
            L"<NameExchange>mx.example</NameExchange><Preference>10</Preference></MX></MXs></UserInfo>");
}

TEST(Collections, NewRecordsKeepTheWriteOrderOfTheirFields) {
  TXMLUserInfoType profile = ParseUserInfo(L"<UserInfo/>");
  TXMLParentType parent = profile.Parents().Add();
  parent.SetSequence(1234);
  parent.SetDomain(L"top.example");
  parent.SetToken(0);
  TXMLChildType child = profile.Children().Add();
  child.SetName(L"shop");
  child.SetSequence(77);
  child.SetDomain(L"other.example");
  child.SetToken(1);
  EXPECT_EQ(CompactXml(profile.XML()),
            L"<UserInfo><Parents><Parent Domain=\"top.example\"><Sequence>1234</Sequence><Token>0</Token>"
            L"</Parent></Parents><Children><Child Domain=\"other.example\"><Name>shop</Name>"
            L"<Sequence>77</Sequence><Token>1</Token></Child></Children></UserInfo>");
}

TEST(Collections, InsertDeleteRemoveAndClear) {
  TXMLUserInfoType profile = ParseUserInfo(
      L"<UserInfo><As><A><Name>a</Name></A><A><Name>b</Name></A></As></UserInfo>");
  TXMLAsType as = profile.As();
  as.Insert(0).SetName(L"first");
  ASSERT_EQ(as.Count(), 3);
  EXPECT_EQ(as.Item(0).Name(), L"first");
  EXPECT_EQ(as.Item(1).Name(), L"a");

  as.Delete(0);
  EXPECT_EQ(as.Item(0).Name(), L"a");
  EXPECT_EQ(as.Remove(as.Item(1)), 1);
  EXPECT_EQ(as.Count(), 1);
  TXMLAType foreign = ParseUserInfo(L"<UserInfo><As><A/></As></UserInfo>").As().Item(0);
  EXPECT_EQ(as.Remove(foreign), -1);

  as.Insert(1).SetName(L"end");  // at Count(): appended
  EXPECT_EQ(as.Item(1).Name(), L"end");
  as.Clear();
  EXPECT_EQ(as.Count(), 0);
  EXPECT_EQ(CompactXml(profile.XML()), L"<UserInfo><As/></UserInfo>");
}

TEST(Collections, ViewsOfOneListSeeEachOthersChanges) {
  TXMLUserInfoType profile = ParseUserInfo(L"<UserInfo><As><A/><A/></As></UserInfo>");
  TXMLAsType first = profile.As();
  TXMLAsType second = profile.As();
  EXPECT_EQ(first.Count(), 2);
  second.Delete(0);
  EXPECT_EQ(first.Count(), 1);
  second.Add().SetName(L"new");
  EXPECT_EQ(first.Item(1).Name(), L"new");
  // A copy of the root made before the change sees it too.
  TXMLUserInfoType copy = profile;
  profile.As().Clear();
  EXPECT_EQ(copy.As().Count(), 0);
}

TEST(ScalarCollections, ValuesRoundTripInOrder) {
  TXMLUserInfoType profile = ParseUserInfo(L"<UserInfo/>");
  TXMLSiteKeysType keys = profile.SiteKeys();
  keys.Add(L"web");
  keys.Add(L"ftp");
  keys.Insert(0, L"mail & <news>");
  EXPECT_EQ(keys.Item(0), L"mail & <news>");
  EXPECT_EQ(keys.Remove(L"web"), 1);
  EXPECT_EQ(keys.Remove(L"web"), -1);

  TXMLServicesType services = profile.Services();
  services.Add(0);
  services.Add(3);
  EXPECT_EQ(services.Item(1), 3);
  EXPECT_NE(CompactXml(profile.XML()).find(L"<Services><Service>0</Service><Service>3</Service></Services>"),
            std::wstring::npos);

  UserProfileXml::TXMLCategoriesType categories =
      ParseUserInfo(L"<UserInfo><Categories><Category>abc</Category><Category/></Categories></UserInfo>")
          .Categories();
  EXPECT_THROW(categories.Item(0), EError);  // not a number
  EXPECT_THROW(categories.Item(1), EError);  // empty
}

TEST(ChargeLog, SinglePrecisionSumIsWrittenWithoutNoise) {
  TXMLUserInfoType profile = ParseUserInfo(L"<UserInfo/>");
  TXMLChargeLogType log = profile.ChargeLogs().Add();
  log.SetSum(12.3f);
  log.SetCurrencyType(156);
  EXPECT_FLOAT_EQ(log.Sum(), 12.3f);
  EXPECT_NE(profile.XML().find(L"<CurrencyType>156</CurrencyType>"), std::wstring::npos);
  const std::wstring xml = profile.XML();
  EXPECT_EQ(xml.find(L"12.30000"), std::wstring::npos) << ToUtf8(xml);
}

}  // namespace
