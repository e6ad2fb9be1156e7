// The registered Orvanta.exe through real COM, as the program uses it: documents,
// arrays and dates crossing the process boundary intact, failure descriptions
// reaching the caller (vtable calls through the Wine channel hook, late-bound calls
// through EXCEPINFO), the state machine, files changed while it runs, and a restart.
#include <gtest/gtest.h>

#include <regex>

#include <cwchar>

#include "tests/support/AgentData.h"
#include "agent/AgentLink.h"
#include "toolkit/ComValue.h"
#include "agent/ErrorInfoHook.h"
#include "toolkit/Exception.h"
#include "tests/support/TestXml.h"

namespace vt::test {
namespace {

constexpr HRESULT kNoUser = static_cast<HRESULT>(0x80040201);
constexpr HRESULT kUnknownKey = static_cast<HRESULT>(0x80040203);
constexpr HRESULT kMalformed = static_cast<HRESULT>(0x80040207);

class AgentComTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallErrorInfoHook();
    ResetAgentData();
    Connect();
  }
  void Connect() {
    invoker_ = TSvcInvokerLink::Create();
    invoker_.Start();
    agent_ = TUserManagerLink::Create();
  }
  TUserManagerLink& Agent() { return agent_; }

  // The description of the failure the action raised; empty when it did not fail.
  template <class F>
  static std::wstring FailureText(F&& action, HRESULT* code = nullptr) {
    try {
      action();
    } catch (const EOleError& e) {
      if (code) *code = e.Code();
      return e.Message();
    }
    return {};
  }

  TSvcInvokerLink invoker_;
  TUserManagerLink agent_;
};

std::wstring TrimEnd(std::wstring s) {
  while (!s.empty() && iswspace(s.back())) s.pop_back();
  return s;
}

TEST_F(AgentComTest, TheProfileCrossesIntactAndUnmodified) {
  const std::wstring profile = Agent().GetUserProfile(kProfileCurrent);
  // As stored, with the revision it was handed out at.
  const std::wregex revision(L" Revision=\"([0-9A-F]{16})\"");
  std::wsmatch found;
  ASSERT_TRUE(std::regex_search(profile, found, revision));
  EXPECT_EQ(CompactXml(std::regex_replace(profile, revision, L"")),
            CompactXml(TrimEnd(StoredUserProfile())));
  EXPECT_NE(profile.find(L"<UserName>张伟</UserName>"), std::wstring::npos);
  EXPECT_NE(profile.find(L"Modified=\"False\""), std::wstring::npos);
}

TEST_F(AgentComTest, WhatTheProgramSendsIsWhatTheAgentStores) {
  std::wstring sent = Agent().GetUserProfile(kProfileCurrent);
  sent.replace(sent.find(L"Modified=\"False\""), 16, L"Modified=\"True\"");
  sent.replace(sent.find(L"<TTL>600</TTL>"), 14, L"<TTL>3600</TTL>");
  Agent().PutUserProfile(sent, -1);
  EXPECT_EQ(StoredUserProfile(), sent);
  EXPECT_NE(Agent().GetUserProfile(kProfileCurrent).find(L"<TTL>3600</TTL>"), std::wstring::npos);

  const std::wstring settings =
      L"<LocalSetting><Host>ns3.veltrano.com.cn</Host><HeartBeat>300</HeartBeat>"
      L"<AutoConnect>False</AutoConnect></LocalSetting>";
  Agent().PutAppProfile(settings);
  EXPECT_EQ(StoredLocalSettings(), settings);
  EXPECT_EQ(Agent().GetAppProfile(), settings);
}

TEST_F(AgentComTest, AMalformedDocumentIsRefusedWithItsReasonAtTheCaller) {
  const std::wstring before = StoredUserProfile();
  HRESULT code = S_OK;
  const std::wstring text =
      FailureText([&] { Agent().PutUserProfile(L"<UserInfo><TTL>1</UserInfo>", -1); }, &code);
  EXPECT_EQ(code, kMalformed);
  EXPECT_EQ(text.rfind(L"XML 文档格式不正确：", 0), 0u) << ToUtf8(text);
  EXPECT_NE(FailureText([&] { Agent().PutAppProfile(L"<UserInfo/>"); }).find(L"LocalSetting"),
            std::wstring::npos);
  EXPECT_EQ(StoredUserProfile(), before);
}

TEST_F(AgentComTest, AFailingCallLeavesTheAgentsErrorInfoOnTheCallingThread) {
  TBStr key(L"NO-SUCH-KEY");
  EXPECT_EQ(Agent().Get()->ChangeUser(key.Get()), kUnknownKey);
  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  ASSERT_NE(info, nullptr);
  BSTR description = nullptr, source = nullptr;
  GUID iid{};
  info->GetDescription(&description);
  info->GetSource(&source);
  info->GetGUID(&iid);
  EXPECT_STREQ(description, L"注册码无效：没有与该注册码对应的账户。");
  EXPECT_STREQ(source, L"Orvanta.UserManager");
  EXPECT_TRUE(iid == IID_IUserManager);
  SysFreeString(description);
  SysFreeString(source);
  info->Release();

  // A later call that succeeds leaves none, and neither does a failure read earlier.
  EXPECT_EQ(Agent().Get()->ChangeUser(key.Get()), kUnknownKey);
  LONG state = 0;
  EXPECT_EQ(Agent().Get()->GetUserState(&state), S_OK);
  info = nullptr;
  EXPECT_EQ(GetErrorInfo(0, &info), S_FALSE);
  if (info) info->Release();
}

TEST_F(AgentComTest, LateBoundCallsWorkAndFailWithTheDescription) {
  IDispatch* dispatch = Agent().Get();
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"ChangeUser"),
                      const_cast<LPOLESTR>(L"GetDomainList")};
  DISPID change = 0, list = 0;
  ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &names[0], 1, LOCALE_USER_DEFAULT, &change), S_OK);
  ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &names[1], 1, LOCALE_USER_DEFAULT, &list), S_OK);
  EXPECT_EQ(change, 4);

  VARIANT arg;
  arg.vt = VT_BSTR;
  arg.bstrVal = SysAllocString(L"NO-SUCH-KEY");
  DISPPARAMS params{&arg, nullptr, 1, 0};
  EXCEPINFO exception{};
  EXPECT_EQ(dispatch->Invoke(change, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                             nullptr, &exception, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(exception.scode, kUnknownKey);
  EXPECT_STREQ(exception.bstrDescription, L"注册码无效：没有与该注册码对应的账户。");
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
  VariantClear(&arg);

  DISPPARAMS none{nullptr, nullptr, 0, 0};
  TVariant result;
  ASSERT_EQ(dispatch->Invoke(list, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                             result.Put(), nullptr, nullptr),
            S_OK);
  EXPECT_EQ(VariantToStrings(result.Get()).size(), 4u);

  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(dispatch->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)),
            S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IUserManager), S_OK);
  support->Release();
}

TEST_F(AgentComTest, ArraysAndDatesCrossIntact) {
  EXPECT_EQ(Agent().GetDomainList(), (std::vector<std::wstring>{L"veltrano.net", L"veltrano.org",
                                                                L"veltrano.cn", L"vt-home.net"}));
  EXPECT_EQ(Agent().FindDomains(L"*.vt-home.net"),
            (std::vector<std::wstring>{L"archive.vt-home.net", L"club-house.vt-home.net",
                                       L"family-album.vt-home.net", L"games.vt-home.net",
                                       L"home-server.vt-home.net", L"office.vt-home.net",
                                       L"oldfriend.vt-home.net", L"webcam.vt-home.net"}));
  EXPECT_TRUE(Agent().FindDomains(L"no-such-name").empty());
  Agent().ChangeUser(kDemoStdKey);
  // The standard account expires at 18:00, so the fraction must cross too.
  EXPECT_EQ(Agent().GetExpiryDate(), std::wcstod(StoredAccountValue(kDemoStdId, L"Expiry").c_str(),
                                                 nullptr));
  EXPECT_DOUBLE_EQ(Agent().GetExpiryDate() - static_cast<long>(Agent().GetExpiryDate()), 0.75);
  EXPECT_EQ(Agent().GetDomainSequence(kDemoStdDomain), 1002);
  EXPECT_EQ(Agent().GetDomainSequence(L"no-such.veltrano.net"), 0);
}

TEST_F(AgentComTest, SignInStateFollowsTheCallsAndTheStateFile) {
  EXPECT_EQ(Agent().GetUserState(), usSignedIn);
  EXPECT_TRUE(Agent().IsOnline());
  Agent().SignOut();
  EXPECT_EQ(Agent().GetUserState(), usSignedOut);
  EXPECT_FALSE(Agent().IsOnline());
  EXPECT_NE(ReadUtf8File(AgentDataDir() + L"State.xml").find(L"UserState=\"3\""),
            std::wstring::npos);
  Agent().SignIn();
  EXPECT_EQ(Agent().GetUserState(), usSignedIn);

  WriteAgentState(L"", 3, false);  // the running agent reads the file on its next call
  EXPECT_EQ(Agent().GetUserState(), usNoUser);
  HRESULT code = S_OK;
  EXPECT_EQ(FailureText([&] { Agent().GetServiceType(); }, &code),
            L"当前没有可用的用户，请先输入注册码开通用户服务。");
  EXPECT_EQ(code, kNoUser);
  Agent().ChangeUser(kDemoLanKey);
  EXPECT_EQ(Agent().GetServiceType(), 5);
}

TEST_F(AgentComTest, SecurityAnswerAndMailsWorkAcrossTheBoundary) {
  EXPECT_EQ(Agent().GetAuthorization(), L"");
  Agent().SetAnswer(L"阳光小学");
  EXPECT_FALSE(Agent().GetAuthorization().empty());
  Agent().ResendAnswer();
  Agent().ResendAccountKey(kDemoLanDomain);
  const std::vector<TAgentMail> mails = AgentOutbox();
  ASSERT_EQ(mails.size(), 2u);
  EXPECT_EQ(mails[0].kind, L"Answer");
  EXPECT_EQ(mails[0].to, L"zhang.wei@example.com");
  EXPECT_EQ(mails[1].kind, L"AccountKey");
  EXPECT_EQ(mails[1].to, L"wang.fang@example.com");
  EXPECT_NE(mails[1].body.find(kDemoLanKey), std::wstring::npos);
  EXPECT_EQ(FailureText([&] { Agent().ResendAccountKey(L"nowhere.veltrano.net"); }),
            L"域名不存在：nowhere.veltrano.net");
}

TEST_F(AgentComTest, TheReservedSlotsAreRefusedReadably) {
  EXPECT_EQ(Agent().Get()->Reserved13(), static_cast<HRESULT>(0x80040210));
  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  BSTR description = nullptr;
  info->GetDescription(&description);
  EXPECT_STREQ(description, L"代理不支持该操作。");
  SysFreeString(description);
  info->Release();
}

TEST_F(AgentComTest, ARestartedAgentComesBackWithWhatWasStored) {
  Agent().ChangeUser(kDemoStdKey);
  Agent().SignOut();
  const std::wstring settings = L"<LocalSetting><Host>edu.veltrano.net</Host></LocalSetting>";
  Agent().PutAppProfile(settings);
  agent_.Reset();
  invoker_.Reset();
  ASSERT_EQ(RunAgentSwitch(L"-Restart"), 0);
  Connect();
  EXPECT_EQ(Agent().GetUserState(), usSignedOut);
  EXPECT_EQ(Agent().GetServiceType(), 1);
  EXPECT_EQ(Agent().GetAppProfile(), settings);
}

}  // namespace
}  // namespace vt::test
