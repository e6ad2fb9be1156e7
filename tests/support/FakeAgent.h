// An in-process stand-in for the agent's user manager, for unit tests of the main
// window and the pages: scripted answers, scripted failures with a description, and
// a record of every call in order.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "agent/AgentIntf.h"

class TFakeAgent : public IUserManager {
 public:
  // Scripted answers.
  long userState = 2;
  bool online = true;
  long serviceType = 1;
  DATE expiry = 46388.5;  // 2027-01-01 12:00
  std::wstring authorization;
  std::wstring userProfileXml = L"<UserInfo Modified=\"False\"><Domain>demo.example</Domain></UserInfo>";
  std::wstring localSettingsXml =
      L"<LocalSetting><Host>ns1.example</Host><HeartBeat>600</HeartBeat>"
      L"<AutoConnect>True</AutoConnect></LocalSetting>";
  std::vector<std::wstring> domainList;
  std::vector<std::wstring> foundDomains;
  std::map<std::wstring, long> sequences;

  // What the program sent.
  std::vector<std::wstring> calls;  // operation names, in call order
  std::vector<std::wstring> putUserProfiles;
  std::vector<long> putUserProfileFlags;
  std::vector<std::wstring> putAppProfiles;
  std::vector<std::wstring> arguments;  // string arguments of the other operations

  // Makes `operation` fail with `description`: `times` times, or always (-1).
  void FailOn(const std::wstring& operation, const std::wstring& description, int times = -1);
  void ClearFailures() { failures_.clear(); }
  int CallCount(const std::wstring& operation) const;
  void ClearCalls() { calls.clear(); }

  // IUnknown: the fake lives on the test's stack; counting only.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  ULONG References() const { return refs_; }

  // IDispatch: not used by the program.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE GetUserState(long* state) override;
  HRESULT STDMETHODCALLTYPE GetAuthorization(BSTR* text) override;
  HRESULT STDMETHODCALLTYPE SetAnswer(BSTR answer) override;
  HRESULT STDMETHODCALLTYPE ChangeUser(BSTR key) override;
  HRESULT STDMETHODCALLTYPE ResendAccountKey(BSTR domain) override;
  HRESULT STDMETHODCALLTYPE GetUserProfile(long mode, BSTR* xml) override;
  HRESULT STDMETHODCALLTYPE PutUserProfile(BSTR xml, long flag) override;
  HRESULT STDMETHODCALLTYPE GetAppProfile(BSTR* xml) override;
  HRESULT STDMETHODCALLTYPE PutAppProfile(BSTR xml) override;
  HRESULT STDMETHODCALLTYPE RebuildAccountKey() override;
  HRESULT STDMETHODCALLTYPE ResendAnswer() override;
  HRESULT STDMETHODCALLTYPE FindDomains(BSTR pattern, VARIANT* domains) override;
  HRESULT STDMETHODCALLTYPE Reserved13() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reserved14() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetExpiryDate(DATE* date) override;
  HRESULT STDMETHODCALLTYPE GetServiceType(long* type) override;
  HRESULT STDMETHODCALLTYPE GetDomainSequence(BSTR domain, long* sequence) override;
  HRESULT STDMETHODCALLTYPE IsOnline(VARIANT_BOOL* value) override;
  HRESULT STDMETHODCALLTYPE SignIn(long* result) override;
  HRESULT STDMETHODCALLTYPE SignOut() override;
  HRESULT STDMETHODCALLTYPE GetDomainList(VARIANT* suffixes) override;

 private:
  struct TFailure {
    std::wstring description;
    int remaining;  // -1: always
  };
  // Records the call; returns the failure status (with the thread's error info set)
  // when the operation is scripted to fail, else S_OK.
  HRESULT Enter(const wchar_t* operation);

  std::map<std::wstring, TFailure> failures_;
  ULONG refs_ = 0;
};
