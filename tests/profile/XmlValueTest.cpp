// The text forms of the document value types, in both directions.
#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/Exception.h"
#include "profile/XmlValue.h"

namespace {

TEST(XmlValue, Integers) {
  EXPECT_EQ(IntToXml(-1), L"-1");
  EXPECT_EQ(XmlToInt(L"600"), 600);
  EXPECT_EQ(XmlToInt(L"+7"), 7);
  EXPECT_EQ(XmlToInt(L"-2147483648"), INT32_MIN);
  for (const wchar_t* bad : {L"", L"-", L"1.5", L" 1", L"0x10", L"2147483648", L"12a"})
    EXPECT_THROW(XmlToInt(bad), EError) << ToUtf8(bad);
}

TEST(XmlValue, Booleans) {
  EXPECT_EQ(BoolToXml(true), L"True");
  EXPECT_EQ(BoolToXml(false), L"False");
  for (const wchar_t* yes : {L"True", L"true", L"TRUE", L"1", L"-1", L"42"})
    EXPECT_TRUE(XmlToBool(yes)) << ToUtf8(yes);
  for (const wchar_t* no : {L"False", L"fAlSe", L"0"}) EXPECT_FALSE(XmlToBool(no)) << ToUtf8(no);
  for (const wchar_t* bad : {L"", L"yes", L"T"}) EXPECT_THROW(XmlToBool(bad), EError);
}

TEST(XmlValue, RealsUseTheLocaleSeparator) {
  const wchar_t sep = LocaleDecimalSeparator();
  const std::wstring half = std::wstring(L"46388") + sep + L"5";
  EXPECT_EQ(RealToXml(46388.5), half);
  EXPECT_DOUBLE_EQ(XmlToReal(half), 46388.5);
  EXPECT_DOUBLE_EQ(XmlToReal(RealToXml(0.1)), 0.1);
  EXPECT_DOUBLE_EQ(XmlToReal(L"-3"), -3.0);
  // A thousands separator or trailing junk is not silently dropped.
  for (const wchar_t* bad : {L"", L"1,5,0", L"1 000", L"abc", L"1e", L"--1"})
    EXPECT_THROW(XmlToReal(bad), EError) << ToUtf8(bad);
}

TEST(XmlValue, IPv4IntegerForm) {
  EXPECT_EQ(IPv4FromOctets(192, 168, 1, 1), 16885952);
  EXPECT_EQ(IPv4FromOctets(10, 0, 0, 1), 16777226);
  EXPECT_EQ(IPv4FromOctets(255, 255, 255, 255), -1);
}

}  // namespace

namespace {

// Runs in the machine's locale and, as a test of its own, under a German locale
// (VT_EXPECT_DECIMAL names the separator that locale must give).
TEST(LocaleReals, WrittenAndReadWithTheUserLocalesSeparator) {
  const wchar_t sep = LocaleDecimalSeparator();
  if (const char* expected = std::getenv("VT_EXPECT_DECIMAL")) EXPECT_EQ(sep, static_cast<wchar_t>(expected[0]));
  const std::wstring half = std::wstring(L"2") + sep + L"5";
  EXPECT_EQ(RealToXml(2.5), half);
  EXPECT_DOUBLE_EQ(XmlToReal(half), 2.5);
  // The other mark is a thousands separator somewhere: it must not be dropped silently.
  const wchar_t other = sep == L',' ? L'.' : L',';
  EXPECT_THROW(XmlToReal(std::wstring(L"1") + other + L"5"), EError);
  EXPECT_THROW(XmlToReal(std::wstring(L"1") + other + L"000" + sep + L"5"), EError);
}

}  // namespace
