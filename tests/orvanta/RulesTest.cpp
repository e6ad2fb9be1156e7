// The agent's small rules and file helpers: domain names, search patterns, the text
// forms of its store, and whole-file text reading and atomic writing.
#include <gtest/gtest.h>

#include "orvanta/AgentStore.h"
#include "orvanta/DomainRules.h"
#include "orvanta/ErrorTexts.h"
#include "orvanta/FileIo.h"
#include "tests/support/TestPaths.h"

namespace vt::test {
namespace {

TEST(DomainRulesTest, ValidNamesHaveAtLeastTwoWellFormedLabels) {
  for (const wchar_t* good : {L"a.b", L"demo-pro.veltrano.net", L"x1.vt-home.net",
                              L"中文.veltrano.cn", L"A.B.C.D.E"})
    EXPECT_TRUE(IsValidDomainName(good)) << good;
  const std::wstring longLabel(64, L'a');
  for (const std::wstring& bad :
       {std::wstring(L""), std::wstring(L"single"), std::wstring(L"a..b"), std::wstring(L".a.b"),
        std::wstring(L"a.b."), std::wstring(L"a b.c"), std::wstring(L"a_b.c"),
        std::wstring(L"-a.b"), std::wstring(L"a-.b"), std::wstring(L"a\x3002" L"b"),
        longLabel + L".net", std::wstring(254, L'a')})
    EXPECT_FALSE(IsValidDomainName(bad)) << bad.size();
}

TEST(DomainRulesTest, PatternsMatchPartsOrWholeNamesWithWildcards) {
  EXPECT_TRUE(MatchesPattern(L"Music.Veltrano.CN", L"veltrano"));
  EXPECT_TRUE(MatchesPattern(L"music.veltrano.cn", L"MUS*.cn"));
  EXPECT_TRUE(MatchesPattern(L"music.veltrano.cn", L"*"));
  EXPECT_TRUE(MatchesPattern(L"abc", L"a?c"));
  EXPECT_TRUE(MatchesPattern(L"aXbXc", L"*b*c"));
  EXPECT_FALSE(MatchesPattern(L"abc", L"a?"));
  EXPECT_FALSE(MatchesPattern(L"abc", L"b*"));  // a wildcard pattern covers the whole name
  EXPECT_FALSE(MatchesPattern(L"abc", L""));
  EXPECT_EQ(TrimBlanks(L" \t a b \r\n"), L"a b");
  EXPECT_TRUE(SameName(L"Demo.NET", L"demo.net"));
  EXPECT_FALSE(SameName(L"demo.net", L"demo.ne"));
}

TEST(StoreTextTest, NumbersReadOnlyWhenTheWholeTextIsOne) {
  int i = 0;
  EXPECT_TRUE(ParseInt(L"-42", i));
  EXPECT_EQ(i, -42);
  for (const wchar_t* bad : {L"", L" 1", L"1 ", L"1.5", L"x", L"2147483648"})
    EXPECT_FALSE(ParseInt(bad, i)) << bad;
  double d = 0;
  EXPECT_TRUE(ParseReal(L"46387.75", d));
  EXPECT_EQ(d, 46387.75);
  EXPECT_FALSE(ParseReal(L"46387,75", d));
  EXPECT_EQ(FormatReal(46387.75), L"46387.75");
  bool b = false;
  EXPECT_TRUE(ParseBool(L"true", b) && b);
  EXPECT_TRUE(ParseBool(L"FALSE", b) && !b);
  EXPECT_TRUE(ParseBool(L"0", b) && !b);
  EXPECT_FALSE(ParseBool(L"yes", b));
}

TEST(FileIoTest, TextRoundTripsAndReplacesTheOldFileWithoutLeftovers) {
  const std::wstring folder = ScratchDir(L"orvanta-fileio");
  const std::wstring path = folder + L"a.xml";
  EXPECT_FALSE(ReadTextFile(path).has_value());
  WriteTextFileAtomic(path, L"<a>旧</a>");
  WriteTextFileAtomic(path, L"<a>新的</a>");
  EXPECT_EQ(ReadTextFile(path).value(), L"<a>新的</a>");
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  int files = 0;
  do files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  while (FindNextFileW(search, &found));
  FindClose(search);
  EXPECT_EQ(files, 1);
}

TEST(FileIoTest, ByteOrderMarksAreHonouredAndBrokenTextIsReported) {
  const std::wstring folder = ScratchDir(L"orvanta-bom");
  auto write = [&](const char* name, const std::string& bytes) {
    HANDLE f = CreateFileW((folder + std::wstring(name, name + strlen(name))).c_str(),
                           GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(f);
  };
  write("utf8.xml", "\xEF\xBB\xBF<a>\xE4\xB8\xAD</a>");
  write("utf16.xml", std::string("\xFF\xFE<\0a\0>\0-N<\0/\0a\0>\0", 18));
  write("broken.xml", "<a>\xFF\xFE\xFD</a>");
  EXPECT_EQ(ReadTextFile(folder + L"utf8.xml").value(), L"<a>中</a>");
  EXPECT_EQ(ReadTextFile(folder + L"utf16.xml").value(), L"<a>中</a>");
  try {
    ReadTextFile(folder + L"broken.xml");
    FAIL() << "invalid UTF-8 was accepted";
  } catch (const TAgentError& e) {
    EXPECT_EQ(e.Fault(), TAgentFault::StoreCorrupt);
  }
}

TEST(FaultTextTest, EveryFaultHasItsOwnStatusAndReadableText) {
  EXPECT_EQ(FaultText(TAgentFault::UnknownDomain, L"a.b"), L"域名不存在：a.b");
  EXPECT_EQ(FaultResult(TAgentFault::NoUser), static_cast<HRESULT>(0x80040201));
  EXPECT_NE(FaultResult(TAgentFault::UnknownKey), FaultResult(TAgentFault::EmptyKey));
  EXPECT_EQ(TAgentError(TAgentFault::WrongRoot, L"x").Result(), FaultResult(TAgentFault::WrongRoot));
}

}  // namespace
}  // namespace vt::test
