// The agent's two COM classes: CoSvcInvoker (ISvcInvoker) and CoUserManager
// (IUserManager). They translate between COM types and the service's C++ calls; every
// user manager of the process shares the one simulated service.
#pragma once
#include "agent/AgentIntf.h"
#include "orvanta/AgentService.h"
#include "orvanta/DualObject.h"

// The process's simulated service, on the machine's data folder (DataFolder.h).
TAgentService& TheAgentService();
// The process's publishing worker on the same folder; the service asks it whether the
// current account is online.
class TPublisher;
TPublisher& ThePublisher();

class TSvcInvoker final : public TDualObject<ISvcInvoker> {
 public:
  TSvcInvoker() : TDualObject(IID_ISvcInvoker, L"Orvanta.SvcInvoker") {}

  STDMETHODIMP Reserved1() override;
  STDMETHODIMP Start() override;
};

class TUserManager final : public TDualObject<IUserManager> {
 public:
  TUserManager() : TDualObject(IID_IUserManager, L"Orvanta.UserManager") {}

  STDMETHODIMP GetUserState(LONG* state) override;
  STDMETHODIMP GetAuthorization(BSTR* authorization) override;
  STDMETHODIMP SetAnswer(BSTR answer) override;
  STDMETHODIMP ChangeUser(BSTR accountKey) override;
  STDMETHODIMP ResendAccountKey(BSTR domain) override;
  STDMETHODIMP GetUserProfile(LONG mode, BSTR* xml) override;
  STDMETHODIMP PutUserProfile(BSTR xml, LONG flag) override;
  STDMETHODIMP GetAppProfile(BSTR* xml) override;
  STDMETHODIMP PutAppProfile(BSTR xml) override;
  STDMETHODIMP RebuildAccountKey() override;
  STDMETHODIMP ResendAnswer() override;
  STDMETHODIMP FindDomains(BSTR pattern, VARIANT* domains) override;
  STDMETHODIMP Reserved13() override;
  STDMETHODIMP Reserved14() override;
  STDMETHODIMP GetExpiryDate(DATE* expiry) override;
  STDMETHODIMP GetServiceType(LONG* serviceType) override;
  STDMETHODIMP GetDomainSequence(BSTR domain, LONG* sequence) override;
  STDMETHODIMP IsOnline(VARIANT_BOOL* online) override;
  STDMETHODIMP SignIn(LONG* result) override;
  STDMETHODIMP SignOut() override;
  STDMETHODIMP GetDomainList(VARIANT* suffixes) override;

 private:
  // This client's own profile changes, so that its next change on top of them passes.
  TProfileLine line_;
};
