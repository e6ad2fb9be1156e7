#include "orvanta/AgentObjects.h"

#include <vector>

#include "orvanta/DataFolder.h"
#include "orvanta/FileIo.h"
#include "orvanta/Publisher.h"

namespace {

std::wstring Str(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

BSTR NewBstr(const std::wstring& text) {
  BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!b) throw std::bad_alloc();
  return b;
}

// A one-dimensional, zero-based array of VARIANTs holding strings, in a VARIANT.
void PutStrings(const std::vector<std::wstring>& strings, VARIANT* out) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(strings.size()));
  if (!array) throw std::bad_alloc();
  for (LONG i = 0; i < static_cast<LONG>(strings.size()); ++i) {
    VARIANT item;
    item.vt = VT_BSTR;
    item.bstrVal = SysAllocStringLen(strings[i].data(), static_cast<UINT>(strings[i].size()));
    const HRESULT hr = item.bstrVal ? SafeArrayPutElement(array, &i, &item) : E_OUTOFMEMORY;
    VariantClear(&item);  // SafeArrayPutElement stored a copy
    if (FAILED(hr)) {
      SafeArrayDestroy(array);
      throw std::bad_alloc();
    }
  }
  out->vt = VT_ARRAY | VT_VARIANT;
  out->parray = array;
}

}  // namespace

TAgentService& TheAgentService() {
  static TAgentService service(AgentDataFolder(), LegacyDataFolder());
  static const bool hooked = [] {
    service.SetPublishedOnline([](const std::wstring& account) { return ThePublisher().Online(account); });
    return true;
  }();
  (void)hooked;
  return service;
}

TPublisher& ThePublisher() {
  static TPublisher publisher(AgentDataFolder());
  return publisher;
}

STDMETHODIMP TSvcInvoker::Reserved1() {
  return Call(__func__, [] { throw TAgentError(TAgentFault::NotSupported); });
}

STDMETHODIMP TSvcInvoker::Start() {
  return Call(__func__, [] { TheAgentService().Start(); });
}

STDMETHODIMP TUserManager::GetUserState(LONG* state) {
  if (BadOut(state)) return E_POINTER;
  return Call(__func__, [&] { *state = TheAgentService().GetUserState(); });
}

STDMETHODIMP TUserManager::GetAuthorization(BSTR* authorization) {
  if (BadOut(authorization)) return E_POINTER;
  *authorization = nullptr;
  return Call(__func__, [&] { *authorization = NewBstr(TheAgentService().GetAuthorization()); });
}

STDMETHODIMP TUserManager::SetAnswer(BSTR answer) {
  return Call(__func__, [&] { TheAgentService().SetAnswer(Str(answer)); });
}

STDMETHODIMP TUserManager::ChangeUser(BSTR accountKey) {
  return Call(__func__, [&] { TheAgentService().ChangeUser(Str(accountKey)); });
}

STDMETHODIMP TUserManager::ResendAccountKey(BSTR domain) {
  return Call(__func__, [&] { TheAgentService().ResendAccountKey(Str(domain)); });
}

STDMETHODIMP TUserManager::GetUserProfile(LONG mode, BSTR* xml) {
  if (BadOut(xml)) return E_POINTER;
  *xml = nullptr;
  return Call(__func__, [&] { *xml = NewBstr(TheAgentService().GetUserProfile(mode)); });
}

STDMETHODIMP TUserManager::PutUserProfile(BSTR xml, LONG flag) {
  return Call(__func__, [&] { TheAgentService().PutUserProfile(Str(xml), flag, &line_); });
}

STDMETHODIMP TUserManager::GetAppProfile(BSTR* xml) {
  if (BadOut(xml)) return E_POINTER;
  *xml = nullptr;
  return Call(__func__, [&] { *xml = NewBstr(TheAgentService().GetAppProfile()); });
}

STDMETHODIMP TUserManager::PutAppProfile(BSTR xml) {
  return Call(__func__, [&] { TheAgentService().PutAppProfile(Str(xml)); });
}

STDMETHODIMP TUserManager::RebuildAccountKey() {
  return Call(__func__, [] { TheAgentService().RebuildAccountKey(); });
}

STDMETHODIMP TUserManager::ResendAnswer() {
  return Call(__func__, [] { TheAgentService().ResendAnswer(); });
}

STDMETHODIMP TUserManager::FindDomains(BSTR pattern, VARIANT* domains) {
  if (BadOut(domains)) return E_POINTER;
  VariantInit(domains);
  return Call(__func__, [&] { PutStrings(TheAgentService().FindDomains(Str(pattern)), domains); });
}

STDMETHODIMP TUserManager::Reserved13() {
  return Call(__func__, [] { throw TAgentError(TAgentFault::NotSupported); });
}

STDMETHODIMP TUserManager::Reserved14() {
  return Call(__func__, [] { throw TAgentError(TAgentFault::NotSupported); });
}

STDMETHODIMP TUserManager::GetExpiryDate(DATE* expiry) {
  if (BadOut(expiry)) return E_POINTER;
  return Call(__func__, [&] { *expiry = TheAgentService().GetExpiryDate(); });
}

STDMETHODIMP TUserManager::GetServiceType(LONG* serviceType) {
  if (BadOut(serviceType)) return E_POINTER;
  return Call(__func__, [&] { *serviceType = TheAgentService().GetServiceType(); });
}

STDMETHODIMP TUserManager::GetDomainSequence(BSTR domain, LONG* sequence) {
  if (BadOut(sequence)) return E_POINTER;
  return Call(__func__, [&] { *sequence = TheAgentService().GetDomainSequence(Str(domain)); });
}

STDMETHODIMP TUserManager::IsOnline(VARIANT_BOOL* online) {
  if (BadOut(online)) return E_POINTER;
  return Call(__func__, [&] { *online = TheAgentService().IsOnline() ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP TUserManager::SignIn(LONG* result) {
  if (BadOut(result)) return E_POINTER;
  return Call(__func__, [&] { *result = TheAgentService().SignIn(); });
}

STDMETHODIMP TUserManager::SignOut() {
  return Call(__func__, [] { TheAgentService().SignOut(); });
}

STDMETHODIMP TUserManager::GetDomainList(VARIANT* suffixes) {
  if (BadOut(suffixes)) return E_POINTER;
  VariantInit(suffixes);
  return Call(__func__, [&] { PutStrings(TheAgentService().GetDomainList(), suffixes); });
}
