// The domain list file and the shared look-ups: the encoded file's round trip and
// its bytes on disk, damaged files, the agent's list written through RefreshDomainList,
// the suffix rules of SplitHostName, and the category look-ups over the held
// application file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "shell/Common.h"
#include "tests/support/FakeAgent.h"
#include "tests/support/TestPaths.h"
#include "agent/UnitDef.h"
#include "profile/XmlDom.h"

namespace {

std::string ReadBytes(const std::wstring& file) {
  std::ifstream in(std::filesystem::path(file), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::wstring& file, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(file), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Encode(const std::string& plain) {
  std::string stored = plain;
  for (char& c : stored) c = static_cast<char>(static_cast<uint8_t>(c) + kDomainListKey);
  return stored;
}

using Lines = std::vector<std::wstring>;

class DomainListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = vt::test::ScratchDir(L"DomainList");
    file = dir + L"list.kvf";
  }
  std::wstring dir, file;
};

TEST_F(DomainListTest, WrittenListReadsBackLineForLine) {
  const Lines list = {L"example.net", L"dyn.example.org", L"x.example"};
  WriteDomainListFile(file, list);
  EXPECT_EQ(ReadDomainListFile(file), list);

  WriteDomainListFile(file, {});
  EXPECT_EQ(ReadBytes(file).size(), 0u);
  EXPECT_TRUE(ReadDomainListFile(file).empty());
}

TEST_F(DomainListTest, EveryByteOnDiskIsThePlainBytePlusTheKey) {
  static_assert(kDomainListKey != 0);
  WriteDomainListFile(file, {L"a.example", L"b.example"});
  const std::string plain = "a.example\r\nb.example\r\n";
  const std::string stored = ReadBytes(file);
  ASSERT_EQ(stored.size(), plain.size());
  EXPECT_EQ(stored, Encode(plain));
  for (size_t i = 0; i < plain.size(); ++i) EXPECT_NE(stored[i], plain[i]) << "at " << i;
}

TEST_F(DomainListTest, StreamLeavesTheCallersBufferAndDecodesAnyPart) {
  const std::string plain("\x00\x01\x7f\x80\xff abc", 9);
  std::string buffer = plain;
  {
    TEncodedStream out(file, TEncodedStream::TMode::Create);
    out.Key = 200;  // wraps round for most bytes
    EXPECT_EQ(out.Write(buffer.data(), buffer.size()), buffer.size());
  }
  EXPECT_EQ(buffer, plain);

  TEncodedStream in(file, TEncodedStream::TMode::Read);
  in.Key = 200;
  char part[3];
  ASSERT_EQ(in.Read(part, 3), 3u);
  EXPECT_EQ(std::string(part, 3), plain.substr(0, 3));
  std::string rest(100, '?');
  rest.resize(in.Read(rest.data(), rest.size()));
  EXPECT_EQ(rest, plain.substr(3));
  EXPECT_EQ(in.Read(part, 3), 0u);
}

TEST_F(DomainListTest, MissingEmptyTruncatedOrGarbageFilesNeverFail) {
  EXPECT_TRUE(ReadDomainListFile(dir + L"absent.kvf").empty());
  EXPECT_THROW(TEncodedStream(dir + L"absent.kvf", TEncodedStream::TMode::Read), EError);

  WriteBytes(file, "");
  EXPECT_TRUE(ReadDomainListFile(file).empty());

  // Cut in the middle of the second line: the first survives, the rest is what is left.
  WriteBytes(file, Encode("one.example\r\ntwo.exa"));
  EXPECT_EQ(ReadDomainListFile(file), (Lines{L"one.example", L"two.exa"}));

  // Bytes that were never ours, or NUL bytes: no suffix at all (so the page fetches
  // the list again), no crash.
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
  WriteBytes(file, garbage);
  EXPECT_TRUE(ReadDomainListFile(file).empty());
  WriteBytes(file, Encode(std::string(64, '\0') + "\r\n.example\r\nx\r\nbad..example\r\nok.example\r\nnet"));
  EXPECT_EQ(ReadDomainListFile(file), (Lines{L"ok.example", L"net"}));

  // Larger than any list: not read at all.
  WriteBytes(file, std::string(2 << 20, 'x'));
  EXPECT_TRUE(ReadDomainListFile(file).empty());
}

TEST_F(DomainListTest, LinesMayEndInLineFeedOrCarriageReturnAlone) {
  WriteBytes(file, Encode("a.example\nb.example\rc.example\r\n\r\nd.example"));
  EXPECT_EQ(ReadDomainListFile(file), (Lines{L"a.example", L"b.example", L"c.example", L"d.example"}));
}

TEST_F(DomainListTest, SuffixRules) {
  std::wstring label = L"old", suffix = L"old";
  const Lines suffixes = {L"example.net", L"net", L"shop.example.net"};

  EXPECT_TRUE(SplitHostName(L"www.shop.example.net", suffixes, label, suffix));
  // The first listed match wins, even when a later one is longer.
  EXPECT_EQ(label, L"www.shop");
  EXPECT_EQ(suffix, L"example.net");

  // Equal to a suffix: a suffix must be shorter than the name.
  EXPECT_FALSE(SplitHostName(L"example.net", {L"example.net"}, label, suffix));
  EXPECT_EQ(label, L"");
  EXPECT_EQ(suffix, L"");
  // Ends with the suffix, but no "." right before it.
  EXPECT_FALSE(SplitHostName(L"myexample.net", {L"example.net"}, label, suffix));
  // Case matters.
  EXPECT_FALSE(SplitHostName(L"home.EXAMPLE.net", {L"example.net"}, label, suffix));
  // A name that is only the dot and the suffix gives an empty label.
  EXPECT_TRUE(SplitHostName(L".example.net", {L"example.net"}, label, suffix));
  EXPECT_EQ(label, L"");
  EXPECT_FALSE(SplitHostName(L"", suffixes, label, suffix));
  EXPECT_FALSE(SplitHostName(L"home.example.net", {}, label, suffix));
}

// RefreshDomainList and LoadDomainList work on "TDNL.kvf" in the working directory
// (writable here; a read-only one is the standard-user suite's).
class DomainListFileTest : public DomainListTest {
 protected:
  void SetUp() override {
    DomainListTest::SetUp();
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    oldDir = old;
    SetCurrentDirectoryW(dir.c_str());
    UserManager = TUserManagerLink(TComPtr<IUserManager>(&agent));
    MessageSink = [this](const std::wstring& text) { messages.push_back(text); };
  }
  void TearDown() override {
    MessageSink = nullptr;
    UserManager.Reset();
    SetCurrentDirectoryW(oldDir.c_str());
  }
  std::wstring oldDir;
  TFakeAgent agent;
  Lines messages;
};

TEST_F(DomainListFileTest, RefreshWritesTheAgentsListAndAFailureKeepsTheFile) {
  // One byte per character in the system's ANSI code page (1252 here), not UTF-8.
  agent.domainList = {L"example.net", L"caf\u00e9.example"};
  RefreshDomainList();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(LoadDomainList(), agent.domainList);
  const std::string before = ReadBytes(dir + kDomainListFileName);
  EXPECT_EQ(before, Encode("example.net\r\ncaf\xE9.example\r\n"));

  agent.FailOn(L"GetDomainList", L"服务器忙");
  RefreshDomainList();
  EXPECT_EQ(messages, Lines{L"服务器忙"});
  EXPECT_EQ(ReadBytes(dir + kDomainListFileName), before);

  // The new list cannot be completed (its place beside the file is taken): the error
  // shows and the old list stays whole, where writing in place would have cut it.
  agent.ClearFailures();
  agent.domainList = {L"other.example", L"example.net"};
  const std::wstring temporary = DomainListTempName(dir + kDomainListFileName);
  ASSERT_TRUE(CreateDirectoryW(temporary.c_str(), nullptr));
  RefreshDomainList();
  RefreshDomainList();  // said once, not at every visit of the page
  RemoveDirectoryW(temporary.c_str());
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].rfind(L"无法保存域名列表文件：" + dir + kDomainListFileName + L"（", 0), 0u);
  EXPECT_EQ(ReadBytes(dir + kDomainListFileName), before);
  RefreshDomainList();
  EXPECT_EQ(LoadDomainList(), agent.domainList);
  EXPECT_FALSE(FileAttributesExist(temporary));

  std::wstring label, suffix;
  EXPECT_TRUE(SplitHostName(L"home.example.net", label, suffix));
  EXPECT_EQ(label, L"home");
}

TEST_F(DomainListFileTest, NoAgentNoFileNoList) {
  UserManager.Reset();
  RefreshDomainList();
  EXPECT_FALSE(FileAttributesExist(dir + kDomainListFileName));
  EXPECT_TRUE(LoadDomainList().empty());
  EXPECT_TRUE(messages.empty());
}

TEST(CategoryLookupTest, SearchesTheHeldApplicationFile) {
  AppFile = {};
  EXPECT_EQ(FindCategoryValue(L"Games"), -1);
  EXPECT_EQ(FindCategoryName(3), L"");

  AppFile = TXMLApplicationType(LoadXmlText(
      L"<Application><Categories>"
      L"<Category name=\"Leisure\" value=\"1\"><Category name=\"Games\" value=\"12\"/></Category>"
      L"<Category name=\"Work\" value=\"2\"/>"
      L"</Categories></Application>",
      L"Application"));
  EXPECT_EQ(FindCategoryValue(L"Games"), 12);
  EXPECT_EQ(FindCategoryValue(L"Work"), 2);
  EXPECT_EQ(FindCategoryValue(L"Nothing"), -1);
  EXPECT_EQ(FindCategoryName(12), L"Games");
  EXPECT_EQ(FindCategoryName(99), L"");
  AppFile = {};
}

}  // namespace
