// Domain searches and sequence numbers, the suffix list, and the simulated e-mail
// (account keys, the security answer) of the service, in-process.
#include "orvanta/Secrets.h"
#include "tests/orvanta/ServiceTestUtil.h"

namespace vt::test {
namespace {

using DomainsTest = ServiceFixture;

TEST_F(DomainsTest, ASearchMatchesPartsOfNamesOrWildcardsWithoutRegardToCase) {
  EXPECT_EQ(Service().FindDomains(L"VT-HOME"),
            (std::vector<std::wstring>{L"archive.vt-home.net", L"club-house.vt-home.net",
                                       L"family-album.vt-home.net", L"games.vt-home.net",
                                       L"home-server.vt-home.net", L"office.vt-home.net",
                                       L"oldfriend.vt-home.net", L"webcam.vt-home.net"}));
  // Names that begin with the text first, each part in order.
  EXPECT_EQ(Service().FindDomains(L"Shop"),
            (std::vector<std::wstring>{L"shop-online.veltrano.cn", L"shop-partner.veltrano.net",
                                       L"bookshop.veltrano.net", L"shanghai-shop.veltrano.cn"}));
  EXPECT_EQ(Service().FindDomains(L"*.veltrano.cn"),
            (std::vector<std::wstring>{L"beijing-news.veltrano.cn", L"expired-hub.veltrano.cn",
                                       L"music.veltrano.cn", L"shanghai-shop.veltrano.cn",
                                       L"shenzhen-lab.veltrano.cn", L"shop-online.veltrano.cn",
                                       L"tea-house.veltrano.cn", L"test-lab.veltrano.cn"}));
  EXPECT_EQ(Service().FindDomains(L"demo-???.veltrano.net"),
            (std::vector<std::wstring>{L"demo-pro.veltrano.net", L"demo-std.veltrano.net"}));
  EXPECT_TRUE(Service().FindDomains(L"").empty());
  EXPECT_TRUE(Service().FindDomains(L"  ").empty());
  EXPECT_TRUE(Service().FindDomains(L"nowhere").empty());
  EXPECT_TRUE(Service().FindDomains(L"*.veltrano").empty());  // a wildcard must match all
}

TEST_F(DomainsTest, ASearchReturnsAtMostTheLimit) {
  std::wstring registry = L"<Domains><Suffixes/><Registry>";
  for (int i = 0; i < 150; ++i)
    registry += L"<Domain Name=\"host" + std::to_wstring(i) + L".many.net\" Sequence=\"" +
                std::to_wstring(5000 + i) + L"\"/>";
  WriteFile(L"Domains.xml", registry + L"</Registry></Domains>");
  EXPECT_EQ(Service().FindDomains(L"many").size(), TAgentService::kMaxFound);
}

TEST_F(DomainsTest, SequenceNumbersComeFromTheAccountsAndTheRegistry) {
  EXPECT_EQ(Service().GetDomainSequence(kDemoProDomain), 1001);
  EXPECT_EQ(Service().GetDomainSequence(L" Demo-Std.Veltrano.Net "), 1002);
  EXPECT_EQ(Service().GetDomainSequence(L"club.veltrano.org"), 2002);
  EXPECT_EQ(Service().GetDomainSequence(L"unknown.veltrano.org"), 0);
  EXPECT_EQ(Service().GetDomainSequence(L""), 0);
  // A stored number of 0 or less would make a known domain look unknown.
  WriteFile(L"Domains.xml",
            L"<Domains><Registry><Domain Name=\"zero.many.net\" Sequence=\"0\"/></Registry></Domains>");
  EXPECT_EQ(FaultOf([&] { Service().GetDomainSequence(L"zero.many.net"); }), TAgentFault::StoreCorrupt);
}

TEST_F(DomainsTest, TheSuffixListKeepsItsOrder) {
  EXPECT_EQ(Service().GetDomainList(), (std::vector<std::wstring>{L"veltrano.net", L"veltrano.org",
                                                                  L"veltrano.cn", L"vt-home.net"}));
}

std::vector<TAgentMail> Outbox(const std::wstring& folder) {
  // The outbox of a scratch folder, read the way AgentOutbox reads the real one.
  std::vector<TAgentMail> mails;
  for (int n = 1;; ++n) {
    wchar_t number[16];
    swprintf(number, 16, L"%06d-", n);
    WIN32_FIND_DATAW found;
    HANDLE search =
        FindFirstFileW((folder + L"Outbox\\" + number + L"*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) break;
    FindClose(search);
    const std::wstring text = ReadUtf8File(folder + L"Outbox\\" + found.cFileName);
    TAgentMail mail;
    mail.file = found.cFileName;
    const size_t body = text.find(L"\r\n\r\n") + 4;  // the headers, and the body opened
    mail.body = text.substr(0, body) + OpenSecret(text.substr(body, text.size() - body - 2)).plain.value_or(L"?");
    mails.push_back(mail);
  }
  return mails;
}

TEST_F(DomainsTest, AForgottenKeyIsMailedToTheAccountOfTheDomain) {
  Service().ResendAccountKey(L" DEMO-STD.veltrano.net");
  const std::vector<TAgentMail> mails = Outbox(Folder());
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_EQ(mails[0].file, L"000001-AccountKey.txt");
  EXPECT_NE(mails[0].body.find(L"To: li.na@example.com\r\n"), std::wstring::npos);
  EXPECT_NE(mails[0].body.find(kDemoStdKey), std::wstring::npos);
  // Re-sending does not change the key: anyone may ask for it.
  Service().ChangeUser(kDemoStdKey);
}

TEST_F(DomainsTest, AKeyForAnUnknownDomainIsRefusedWithTheDomainNamed) {
  try {
    Service().ResendAccountKey(L"club.veltrano.org");  // registered, but not held here
    FAIL() << "accepted";
  } catch (const TAgentError& e) {
    EXPECT_EQ(e.Fault(), TAgentFault::UnknownDomain);
    EXPECT_NE(e.Description().find(L"club.veltrano.org"), std::wstring::npos);
  }
  EXPECT_EQ(FaultOf([&] { Service().ResendAccountKey(L""); }), TAgentFault::EmptyDomain);
  EXPECT_TRUE(Outbox(Folder()).empty());
}

TEST_F(DomainsTest, ARebuiltKeyReplacesTheOldOneAndIsMailed) {
  Service().RebuildAccountKey();
  const std::vector<TAgentMail> mails = Outbox(Folder());
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_NE(mails[0].body.find(L"To: zhang.wei@example.com"), std::wstring::npos);
  EXPECT_EQ(mails[0].body.find(kDemoProKey), std::wstring::npos);
  const size_t at = mails[0].body.find(L"注册码：");
  ASSERT_NE(at, std::wstring::npos);
  const std::wstring key = mails[0].body.substr(at + 4, 19);
  EXPECT_EQ(key.size(), 19u);
  EXPECT_EQ(key[4], L'-');

  Service().ChangeUser(kDemoStdKey);
  EXPECT_EQ(FaultOf([&] { Service().ChangeUser(kDemoProKey); }), TAgentFault::UnknownKey);
  Service().ChangeUser(key);
  EXPECT_EQ(Service().GetServiceType(), 3);
}

TEST_F(DomainsTest, TheAnswerIsMailedWithItsQuestion) {
  Service().ResendAnswer();
  const std::vector<TAgentMail> mails = Outbox(Folder());
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_EQ(mails[0].file, L"000001-Answer.txt");
  EXPECT_NE(mails[0].body.find(L"我的第一所学校叫什么名字？"), std::wstring::npos);
  EXPECT_NE(mails[0].body.find(L"阳光小学"), std::wstring::npos);
}

TEST_F(DomainsTest, NoMailGoesOutWithoutAnAddressAndTheKeyStays) {
  WriteFile(L"Profiles\\pro.xml", Replaced(StoredProfile(L"pro"),
                                           L"<Email>zhang.wei@example.com</Email>", L"<Email/>"));
  EXPECT_EQ(FaultOf([&] { Service().RebuildAccountKey(); }), TAgentFault::NoEmail);
  EXPECT_EQ(FaultOf([&] { Service().ResendAnswer(); }), TAgentFault::NoEmail);
  EXPECT_TRUE(Outbox(Folder()).empty());
  Service().ChangeUser(kDemoProKey);  // the old key still works
}

}  // namespace
}  // namespace vt::test
