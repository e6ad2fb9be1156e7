// The agent link against the in-process fake agent: values cross in both directions
// and a failing call raises an exception carrying the agent's own description.
#include <gtest/gtest.h>

#include "agent/AgentLink.h"
#include "toolkit/Exception.h"
#include "tests/support/FakeAgent.h"

namespace {

class AgentLinkTest : public ::testing::Test {
 protected:
  TFakeAgent fake;
  TUserManagerLink link{TComPtr<IUserManager>(&fake)};
};

TEST_F(AgentLinkTest, ValuesCrossBothWays) {
  fake.userState = 3;
  fake.online = false;
  fake.serviceType = 5;
  fake.domainList = {L"vt.net", L"维特.中国"};
  fake.sequences[L"home.vt.net"] = 42;
  EXPECT_EQ(link.GetUserState(), 3);
  EXPECT_FALSE(link.IsOnline());
  EXPECT_EQ(link.GetServiceType(), 5);
  EXPECT_EQ(link.GetDomainList(), fake.domainList);
  EXPECT_EQ(link.GetDomainSequence(L"home.vt.net"), 42);
  EXPECT_EQ(link.GetDomainSequence(L"nowhere.vt.net"), 0);
  EXPECT_DOUBLE_EQ(link.GetExpiryDate(), fake.expiry);
  EXPECT_EQ(link.GetUserProfile(kProfileCurrent), fake.userProfileXml);

  link.PutUserProfile(L"<UserInfo Modified=\"True\"/>", -1);
  ASSERT_EQ(fake.putUserProfiles.size(), 1u);
  EXPECT_EQ(fake.putUserProfiles[0], L"<UserInfo Modified=\"True\"/>");
  EXPECT_EQ(fake.putUserProfileFlags[0], -1);
}

TEST_F(AgentLinkTest, FailureCarriesTheAgentsDescription) {
  fake.FailOn(L"ChangeUser", L"注册码无效", 1);
  try {
    link.ChangeUser(L"NO-SUCH-KEY");
    FAIL() << "no exception";
  } catch (const EOleError& e) {
    EXPECT_EQ(e.Message(), L"注册码无效");
    EXPECT_EQ(e.Code(), E_FAIL);
  }
  // The failure was scripted once: the next call goes through, and the stale
  // description does not leak into an unrelated failure's text.
  EXPECT_NO_THROW(link.ChangeUser(L"NO-SUCH-KEY"));
  EXPECT_EQ(fake.CallCount(L"ChangeUser"), 2);
}

TEST_F(AgentLinkTest, FailureWithoutDescriptionUsesTheSystemText) {
  struct TBare : TFakeAgent {
    HRESULT STDMETHODCALLTYPE SignOut() override { return E_ACCESSDENIED; }
  } bare;
  TUserManagerLink bareLink{TComPtr<IUserManager>(&bare)};
  try {
    bareLink.SignOut();
    FAIL() << "no exception";
  } catch (const EOleError& e) {
    EXPECT_EQ(e.Code(), E_ACCESSDENIED);
    EXPECT_FALSE(e.Message().empty());
    EXPECT_NE(e.Message().back(), L'\n');
  }
}

TEST(AgentLinkUnconnected, CallsRaiseInsteadOfCrashing) {
  TUserManagerLink empty;
  EXPECT_THROW(empty.GetUserState(), EError);
  TSvcInvokerLink invoker;
  EXPECT_THROW(invoker.Start(), EError);
}

TEST_F(AgentLinkTest, ReleasesTheAgentReference) {
  ASSERT_EQ(fake.References(), 1u);
  link.Reset();
  EXPECT_EQ(fake.References(), 0u);
}

}  // namespace
