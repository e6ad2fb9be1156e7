#include "tests/support/FakeAgent.h"

#include "toolkit/ComValue.h"

namespace {

std::wstring Text(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

BSTR Alloc(const std::wstring& text) {
  return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

void SetDescription(const std::wstring& description) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create))) return;
  create->SetDescription(const_cast<wchar_t*>(description.c_str()));
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

}  // namespace

void TFakeAgent::FailOn(const std::wstring& operation, const std::wstring& description, int times) {
  failures_[operation] = {description, times};
}

int TFakeAgent::CallCount(const std::wstring& operation) const {
  int n = 0;
  for (const auto& c : calls) n += c == operation;
  return n;
}

HRESULT TFakeAgent::Enter(const wchar_t* operation) {
  calls.push_back(operation);
  auto it = failures_.find(operation);
  if (it == failures_.end() || it->second.remaining == 0) return S_OK;
  if (it->second.remaining > 0) --it->second.remaining;
  SetDescription(it->second.description);
  return E_FAIL;
}

HRESULT TFakeAgent::QueryInterface(REFIID iid, void** out) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, IID_IUserManager)) {
    *out = static_cast<IUserManager*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT TFakeAgent::GetUserState(long* state) {
  if (HRESULT hr = Enter(L"GetUserState"); FAILED(hr)) return hr;
  *state = userState;
  return S_OK;
}

HRESULT TFakeAgent::GetAuthorization(BSTR* text) {
  if (HRESULT hr = Enter(L"GetAuthorization"); FAILED(hr)) return hr;
  *text = Alloc(authorization);
  return S_OK;
}

HRESULT TFakeAgent::SetAnswer(BSTR answer) {
  arguments.push_back(Text(answer));
  return Enter(L"SetAnswer");
}

HRESULT TFakeAgent::ChangeUser(BSTR key) {
  arguments.push_back(Text(key));
  return Enter(L"ChangeUser");
}

HRESULT TFakeAgent::ResendAccountKey(BSTR domain) {
  arguments.push_back(Text(domain));
  return Enter(L"ResendAccountKey");
}

HRESULT TFakeAgent::GetUserProfile(long mode, BSTR* xml) {
  arguments.push_back(std::to_wstring(mode));
  if (HRESULT hr = Enter(L"GetUserProfile"); FAILED(hr)) return hr;
  *xml = Alloc(userProfileXml);
  return S_OK;
}

HRESULT TFakeAgent::PutUserProfile(BSTR xml, long flag) {
  if (HRESULT hr = Enter(L"PutUserProfile"); FAILED(hr)) return hr;
  putUserProfiles.push_back(Text(xml));
  putUserProfileFlags.push_back(flag);
  return S_OK;
}

HRESULT TFakeAgent::GetAppProfile(BSTR* xml) {
  if (HRESULT hr = Enter(L"GetAppProfile"); FAILED(hr)) return hr;
  *xml = Alloc(localSettingsXml);
  return S_OK;
}

HRESULT TFakeAgent::PutAppProfile(BSTR xml) {
  if (HRESULT hr = Enter(L"PutAppProfile"); FAILED(hr)) return hr;
  putAppProfiles.push_back(Text(xml));
  return S_OK;
}

HRESULT TFakeAgent::RebuildAccountKey() { return Enter(L"RebuildAccountKey"); }

HRESULT TFakeAgent::ResendAnswer() { return Enter(L"ResendAnswer"); }

HRESULT TFakeAgent::FindDomains(BSTR pattern, VARIANT* domains) {
  arguments.push_back(Text(pattern));
  if (HRESULT hr = Enter(L"FindDomains"); FAILED(hr)) return hr;
  *domains = StringsToVariant(foundDomains).Detach();
  return S_OK;
}

HRESULT TFakeAgent::GetExpiryDate(DATE* date) {
  if (HRESULT hr = Enter(L"GetExpiryDate"); FAILED(hr)) return hr;
  *date = expiry;
  return S_OK;
}

HRESULT TFakeAgent::GetServiceType(long* type) {
  if (HRESULT hr = Enter(L"GetServiceType"); FAILED(hr)) return hr;
  *type = serviceType;
  return S_OK;
}

HRESULT TFakeAgent::GetDomainSequence(BSTR domain, long* sequence) {
  arguments.push_back(Text(domain));
  if (HRESULT hr = Enter(L"GetDomainSequence"); FAILED(hr)) return hr;
  auto it = sequences.find(Text(domain));
  *sequence = it == sequences.end() ? 0 : it->second;
  return S_OK;
}

HRESULT TFakeAgent::IsOnline(VARIANT_BOOL* value) {
  if (HRESULT hr = Enter(L"IsOnline"); FAILED(hr)) return hr;
  *value = online ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT TFakeAgent::SignIn(long* result) {
  if (HRESULT hr = Enter(L"SignIn"); FAILED(hr)) return hr;
  *result = 0;
  userState = 2;
  online = true;
  return S_OK;
}

HRESULT TFakeAgent::SignOut() {
  if (HRESULT hr = Enter(L"SignOut"); FAILED(hr)) return hr;
  userState = 3;
  online = false;
  return S_OK;
}

HRESULT TFakeAgent::GetDomainList(VARIANT* suffixes) {
  if (HRESULT hr = Enter(L"GetDomainList"); FAILED(hr)) return hr;
  *suffixes = StringsToVariant(domainList).Detach();
  return S_OK;
}
