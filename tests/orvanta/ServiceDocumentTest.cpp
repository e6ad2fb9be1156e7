// The documents the simulated service hands out and takes back, in-process: the
// profile as stored and as handed out, rejected documents that store nothing, the
// security answer guarding e-mail, question and answer, and the rules for a changed
// domain name.
#include "tests/orvanta/ServiceTestUtil.h"

namespace vt::test {
namespace {

using DocumentTest = ServiceFixture;

TEST_F(DocumentTest, AProfileIsStoredExactlyAsSentAndHandedOutUnmodified) {
  const std::wstring sent = Replaced(
      Replaced(StoredProfile(L"pro"), L"Modified=\"False\"", L"Modified=\"True\""),
      L"<TTL>600</TTL>", L"<TTL>300</TTL>");
  Service().PutUserProfile(sent, -1);
  EXPECT_EQ(StoredProfile(L"pro"), sent);
  const std::wstring out = Service().GetUserProfile(0);
  EXPECT_NE(out.find(L"Modified=\"False\""), std::wstring::npos);
  EXPECT_EQ(out.find(L"Modified=\"True\""), std::wstring::npos);
  EXPECT_NE(out.find(L"<TTL>300</TTL>"), std::wstring::npos);
  EXPECT_EQ(out.find(L"<?xml"), std::wstring::npos);

  // A profile without the mark goes out without it.
  Service().PutUserProfile(Replaced(sent, L" Modified=\"True\"", L""), -1);
  EXPECT_EQ(Service().GetUserProfile(0).find(L"Modified"), std::wstring::npos);
}

TEST_F(DocumentTest, MalformedOrForeignDocumentsAreRefusedAndStoreNothing) {
  const std::wstring profile = StoredProfile(L"pro");
  const std::wstring settings = FileText(L"LocalSetting.xml");
  TAgentService& s = Service();
  EXPECT_EQ(FaultOf([&] { s.PutUserProfile(L"<UserInfo><Domain>x</UserInfo>", -1); }),
            TAgentFault::MalformedDocument);
  EXPECT_EQ(FaultOf([&] { s.PutUserProfile(L"", -1); }), TAgentFault::MalformedDocument);
  EXPECT_EQ(FaultOf([&] { s.PutUserProfile(L"just text", -1); }), TAgentFault::MalformedDocument);
  EXPECT_EQ(FaultOf([&] { s.PutUserProfile(L"<LocalSetting/>", -1); }), TAgentFault::WrongRoot);
  EXPECT_EQ(FaultOf([&] { s.PutUserProfile(L"<userinfo/>", -1); }), TAgentFault::WrongRoot);
  EXPECT_EQ(FaultOf([&] { s.PutAppProfile(L"<LocalSetting><Host>"); }),
            TAgentFault::MalformedDocument);
  EXPECT_EQ(FaultOf([&] { s.PutAppProfile(L"<UserInfo/>"); }), TAgentFault::WrongRoot);
  EXPECT_EQ(StoredProfile(L"pro"), profile);
  EXPECT_EQ(FileText(L"LocalSetting.xml"), settings);
}

TEST_F(DocumentTest, TheWrongRootIsNamedInTheFailureText) {
  try {
    Service().PutAppProfile(L"<Settings/>");
    FAIL() << "accepted";
  } catch (const TAgentError& e) {
    EXPECT_NE(e.Description().find(L"LocalSetting"), std::wstring::npos);
    EXPECT_NE(e.Description().find(L"Settings"), std::wstring::npos);
  }
}

TEST_F(DocumentTest, LocalSettingsAreStoredAndHandedOutAsSent) {
  const std::wstring sent =
      L"<LocalSetting><Host>edu.veltrano.net</Host><HeartBeat>900</HeartBeat>"
      L"<AutoConnect>True</AutoConnect></LocalSetting>";
  Service().PutAppProfile(sent);
  EXPECT_EQ(Service().GetAppProfile(), sent);
  EXPECT_EQ(FileText(L"LocalSetting.xml"), sent);
}

TEST_F(DocumentTest, ReloadModeRereadsTheStoreAndOtherModesAreRefused) {
  const std::wstring changed =
      Replaced(StoredProfile(L"pro"), L"<UserName>张伟</UserName>", L"<UserName>张三</UserName>");
  WriteFile(L"Profiles\\pro.xml", changed);
  EXPECT_NE(Service().GetUserProfile(-1).find(L"张三"), std::wstring::npos);
  EXPECT_EQ(FaultOf([&] { Service().GetUserProfile(1); }), TAgentFault::InvalidMode);
}

TEST_F(DocumentTest, TheAuthorizationFollowsTheLatestAnswerGiven) {
  EXPECT_EQ(Service().GetAuthorization(), L"");
  Service().SetAnswer(L"阳光");  // typed so far
  EXPECT_EQ(Service().GetAuthorization(), L"");
  Service().SetAnswer(L" 阳光小学 ");
  const std::wstring granted = Service().GetAuthorization();
  EXPECT_FALSE(granted.empty());
  Service().SetAnswer(L"阳光小学");
  EXPECT_EQ(Service().GetAuthorization(), granted);  // still the same session
  Service().SetAnswer(L"阳光小学x");
  EXPECT_EQ(Service().GetAuthorization(), L"");
  Service().SetAnswer(L"阳光小学");
  Service().ChangeUser(kDemoProKey);  // a change of user ends it
  EXPECT_EQ(Service().GetAuthorization(), L"");
  Service().SetAnswer(L"阳光小学");
  Service().SignOut();
  EXPECT_EQ(Service().GetAuthorization(), L"");
}

TEST_F(DocumentTest, AnEmptyStoredAnswerAcceptsNoAnswer) {
  WriteFile(L"Profiles\\pro.xml",
            Replaced(StoredProfile(L"pro"), L"<Answer>阳光小学</Answer>", L"<Answer></Answer>"));
  Service().SetAnswer(L"");
  EXPECT_EQ(Service().GetAuthorization(), L"");
}

TEST_F(DocumentTest, EmailQuestionAndAnswerChangeOnlyWithAnAcceptedAnswer) {
  const std::wstring original = StoredProfile(L"pro");
  const std::wstring newEmail =
      Replaced(original, L"zhang.wei@example.com", L"wei.zhang@example.com");
  const std::wstring newQuestion = Replaced(original, L"我的第一所学校叫什么名字？", L"宠物？");
  const std::wstring newAnswer = Replaced(original, L"<Answer>阳光小学</Answer>", L"<Answer>猫</Answer>");
  for (const std::wstring* sent : {&newEmail, &newQuestion, &newAnswer})
    EXPECT_EQ(FaultOf([&] { Service().PutUserProfile(*sent, -1); }),
              TAgentFault::AnswerNotAccepted);
  EXPECT_EQ(StoredProfile(L"pro"), original);

  // The user name needs no answer.
  const std::wstring newName = Replaced(original, L"张伟", L"张大伟");
  Service().PutUserProfile(newName, -1);
  EXPECT_EQ(StoredProfile(L"pro"), newName);

  Service().SetAnswer(L"阳光小学");
  const std::wstring all = Replaced(
      Replaced(newName, L"zhang.wei@example.com", L"wei.zhang@example.com"),
      L"<Answer>阳光小学</Answer>", L"<Answer>猫</Answer>");
  Service().PutUserProfile(all, -1);
  EXPECT_EQ(StoredProfile(L"pro"), all);
  Service().SetAnswer(L"猫");  // the new answer is the one asked now
  EXPECT_FALSE(Service().GetAuthorization().empty());
}

TEST_F(DocumentTest, ADomainNameChangeMustBeValidAndFree) {
  const std::wstring original = StoredProfile(L"pro");
  auto withDomain = [&](const std::wstring& domain) {
    return Replaced(original, L"<Domain>demo-pro.veltrano.net</Domain>",
                    L"<Domain>" + domain + L"</Domain>");
  };
  const struct {
    const wchar_t* domain;
    TAgentFault fault;
  } refused[] = {
      {L"", TAgentFault::InvalidDomainName},
      {L"myhost.", TAgentFault::InvalidDomainName},   // a label without its suffix
      {L".veltrano.net", TAgentFault::InvalidDomainName},
      {L"my host.veltrano.net", TAgentFault::InvalidDomainName},
      {L"single", TAgentFault::InvalidDomainName},
      {L"-bad.veltrano.net", TAgentFault::InvalidDomainName},
      {L"demo-std.veltrano.net", TAgentFault::DomainTaken},  // another account's
      {L"FAMILY.veltrano.net", TAgentFault::DomainTaken},    // in the registry
  };
  for (const auto& r : refused)
    EXPECT_EQ(FaultOf([&] { Service().PutUserProfile(withDomain(r.domain), -1); }), r.fault)
        << r.domain;
  EXPECT_EQ(StoredProfile(L"pro"), original);

  Service().PutUserProfile(withDomain(L"新名字.veltrano.net"), -1);
  EXPECT_EQ(Service().GetDomainSequence(L"新名字.veltrano.net"), 1001);
  EXPECT_EQ(Service().GetDomainSequence(kDemoProDomain), 0);
  // Only a change is checked: the same (even odd-looking) name goes through.
  Service().PutUserProfile(withDomain(L"新名字.veltrano.net"), -1);
}

}  // namespace
}  // namespace vt::test
