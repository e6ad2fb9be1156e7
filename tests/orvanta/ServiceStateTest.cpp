// The simulated service's accounts and sign-in state machine, in-process on a scratch
// data folder: the seeded demo accounts, sign in and out, change of user by key,
// state 1 and the operations it refuses, expired accounts, and the store's life on
// disk (persistence, files changed from outside, damaged files).
#include "orvanta/DemoData.h"
#include "tests/orvanta/ServiceTestUtil.h"

namespace vt::test {
namespace {

using StateTest = ServiceFixture;

TEST_F(StateTest, FirstStartSeedsTheDemoAccountsWithTheProfessionalOneSignedIn) {
  EXPECT_EQ(Service().GetUserState(), 2);
  EXPECT_TRUE(Service().IsOnline());
  EXPECT_EQ(Service().GetServiceType(), 3);
  const struct {
    const wchar_t* key;
    int type;
    const wchar_t* domain;
  } accounts[] = {{kDemoStdKey, 1, kDemoStdDomain},
                  {kDemoLanKey, 5, kDemoLanDomain},
                  {kDemoProKey, 3, kDemoProDomain}};
  for (const auto& a : accounts) {
    Service().ChangeUser(a.key);
    EXPECT_EQ(Service().GetServiceType(), a.type);
    EXPECT_NE(Service().GetUserProfile(0).find(a.domain), std::wstring::npos);
    EXPECT_GT(Service().GetExpiryDate(), LocalToday());
  }
}

TEST_F(StateTest, SignOutAndSignInMoveBetweenStatesTwoAndThree) {
  Service().SignOut();
  EXPECT_EQ(Service().GetUserState(), 3);
  EXPECT_FALSE(Service().IsOnline());
  Service().SignOut();  // signing out twice is harmless
  EXPECT_EQ(Service().GetUserState(), 3);
  EXPECT_EQ(Service().SignIn(), 2);
  EXPECT_EQ(Service().GetUserState(), 2);
  EXPECT_TRUE(Service().IsOnline());
}

TEST_F(StateTest, SignedInButOfflineIsReportedAsSuch) {
  WriteState(L"pro", 2, false);
  EXPECT_EQ(Service().GetUserState(), 2);
  EXPECT_FALSE(Service().IsOnline());
}

TEST_F(StateTest, StateOneRefusesEverythingThatNeedsTheCurrentAccount) {
  WriteState(L"", 3, false);
  EXPECT_EQ(Service().GetUserState(), 1);
  EXPECT_FALSE(Service().IsOnline());
  TAgentService& s = Service();
  EXPECT_EQ(FaultOf([&] { s.GetServiceType(); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.GetExpiryDate(); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.GetUserProfile(0); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.GetUserProfile(-1); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.PutUserProfile(L"<UserInfo/>", -1); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.SignIn(); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.SignOut(); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.SetAnswer(L"x"); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.GetAuthorization(); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.RebuildAccountKey(); }), TAgentFault::NoUser);
  EXPECT_EQ(FaultOf([&] { s.ResendAnswer(); }), TAgentFault::NoUser);
  // What does not depend on an account still works, and a key leaves state 1.
  EXPECT_FALSE(s.GetAppProfile().empty());
  EXPECT_EQ(s.GetDomainList().size(), 4u);
  s.ChangeUser(kDemoStdKey);
  EXPECT_EQ(s.GetUserState(), 2);
  EXPECT_EQ(s.GetServiceType(), 1);
}

TEST_F(StateTest, AnAccountWhoseProfileIsMissingIsNotUsable) {
  ASSERT_TRUE(DeleteFileW((Folder() + L"Profiles\\pro.xml").c_str()));
  EXPECT_EQ(Service().GetUserState(), 1);
  EXPECT_EQ(FaultOf([&] { Service().ChangeUser(kDemoProKey); }), TAgentFault::StoreCorrupt);
}

TEST_F(StateTest, ChangeUserTakesTheKeyWithoutRegardToBlanksAndCase) {
  Service().SignOut();
  Service().ChangeUser(L"  std3-7h1m-2pw5-demo \r\n");
  EXPECT_EQ(Service().GetServiceType(), 1);
  EXPECT_EQ(Service().GetUserState(), 2);  // a key opens the service: signed in
  EXPECT_NE(FileText(L"State.xml").find(L"CurrentAccount=\"std\""), std::wstring::npos);
}

TEST_F(StateTest, AnUnknownOrEmptyKeyIsRefusedAndKeepsTheCurrentAccount) {
  EXPECT_EQ(FaultOf([&] { Service().ChangeUser(L"ABCD-EFGH-JKLM-NPQR"); }),
            TAgentFault::UnknownKey);
  EXPECT_EQ(FaultOf([&] { Service().ChangeUser(L""); }), TAgentFault::EmptyKey);
  EXPECT_EQ(FaultOf([&] { Service().ChangeUser(L"   "); }), TAgentFault::EmptyKey);
  EXPECT_EQ(Service().GetServiceType(), 3);
  EXPECT_EQ(Service().GetUserState(), 2);
}

TEST_F(StateTest, AnExpiredAccountCanBeChosenButNotSignedIn) {
  std::wstring accounts = FileText(L"Accounts.xml");
  const size_t std = accounts.find(L"Id=\"std\"");
  ASSERT_NE(std, std::wstring::npos);
  const size_t expiry = accounts.find(L"Expiry=\"", std) + 8;
  accounts.replace(expiry, accounts.find(L'"', expiry) - expiry, L"36526");  // 2000-01-01
  WriteFile(L"Accounts.xml", accounts);
  Service().ChangeUser(kDemoStdKey);
  EXPECT_EQ(Service().GetUserState(), 3);
  EXPECT_EQ(FaultOf([&] { Service().SignIn(); }), TAgentFault::AccountExpired);
  EXPECT_EQ(Service().GetUserState(), 3);
}

TEST_F(StateTest, EverythingChangedSurvivesARestartOfTheAgent) {
  Service().ChangeUser(kDemoLanKey);
  Service().SignOut();
  const std::wstring settings =
      L"<LocalSetting><Host>ns2.veltrano.net</Host><HeartBeat>300</HeartBeat>"
      L"<AutoConnect>False</AutoConnect></LocalSetting>";
  Service().PutAppProfile(settings);
  const std::wstring profile =
      Replaced(StoredProfile(L"lan"), L"<UserName>王芳</UserName>", L"<UserName>王小芳</UserName>");
  Service().PutUserProfile(profile, -1);

  auto restarted = Restarted();
  EXPECT_EQ(restarted->GetUserState(), 3);
  EXPECT_EQ(restarted->GetServiceType(), 5);
  EXPECT_EQ(restarted->GetAppProfile(), settings);
  EXPECT_NE(restarted->GetUserProfile(0).find(L"<UserName>王小芳</UserName>"), std::wstring::npos);
}

TEST_F(StateTest, FilesChangedFromOutsideAreReadOnTheNextCall) {
  WriteState(L"std", 3, false);
  EXPECT_EQ(Service().GetUserState(), 3);
  EXPECT_EQ(Service().GetServiceType(), 1);
  WriteState(L"lan", 2, true);
  EXPECT_EQ(Service().GetServiceType(), 5);
  EXPECT_TRUE(Service().IsOnline());
}

TEST_F(StateTest, ADamagedFileIsReportedByNameAndLeftAsItIs) {
  const std::wstring garbage = L"<Accounts><Account Id=\"pro\"";
  WriteFile(L"Accounts.xml", garbage);
  try {
    Service().GetUserState();
    FAIL() << "a damaged accounts file was accepted";
  } catch (const TAgentError& e) {
    EXPECT_EQ(e.Fault(), TAgentFault::StoreCorrupt);
    EXPECT_NE(e.Description().find(L"Accounts.xml"), std::wstring::npos);
  }
  EXPECT_EQ(FaultOf([&] { Service().SignOut(); }), TAgentFault::StoreCorrupt);
  EXPECT_EQ(FileText(L"Accounts.xml"), garbage);  // not overwritten, not reseeded
  // A repaired file is used again.
  WriteFile(L"Accounts.xml",
            L"<Accounts><Account Id=\"pro\" Key=\"K\" ServiceType=\"4\" Expiry=\"80000.5\" "
            L"Sequence=\"7\"/></Accounts>");
  EXPECT_EQ(Service().GetServiceType(), 4);
  EXPECT_EQ(Service().GetExpiryDate(), 80000.5);
}

TEST_F(StateTest, AnAccountIdThatCouldLeaveTheDataFolderIsRefused) {
  WriteFile(L"Accounts.xml",
            L"<Accounts><Account Id=\"..\\..\\x\" Key=\"K\" ServiceType=\"1\" Expiry=\"80000\" "
            L"Sequence=\"1\"/></Accounts>");
  EXPECT_EQ(FaultOf([&] { Service().GetUserState(); }), TAgentFault::StoreCorrupt);
}

}  // namespace
}  // namespace vt::test
