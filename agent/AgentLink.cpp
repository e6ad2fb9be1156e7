#include "agent/AgentLink.h"

#include <cwchar>

#include "toolkit/ComValue.h"
#include "toolkit/Exception.h"
#include "toolkit/OleCheck.h"
#include "agent/SvcObj.h"

namespace {

// Failures of a creation that mean the system does not know the agent: its class, its
// interfaces (their marshaling comes from its registered type library) or its program.
bool MeansNotRegistered(HRESULT hr) {
  switch (hr) {
    case REGDB_E_CLASSNOTREG:
    case REGDB_E_IIDNOTREG:
    case E_NOINTERFACE:
    case TYPE_E_LIBNOTREGISTERED:
    case CO_E_APPNOTFOUND:
    case HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND):
    case HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND):
      return true;
    default:
      return false;
  }
}

// The status as the system words it, with its number: "No such interface supported
// (80004002)", or the number alone when the system has no text for it.
std::wstring StatusText(HRESULT hr) {
  wchar_t number[16];
  swprintf(number, 16, L"%08X", static_cast<unsigned>(hr));
  const std::wstring text = SysErrorMessage(static_cast<DWORD>(hr));
  return text.empty() ? L"error " + std::wstring(number) : text + L" (" + number + L")";
}

// A start-up failure the user can act on: what is wrong with the agent, and what to do.
std::wstring CreationFailureText(HRESULT hr) {
  const std::wstring agent = std::wstring(L"The agent ") + kAgentExe;
  if (MeansNotRegistered(hr))
    return agent + L" is not installed or not registered (" + StatusText(hr) +
           L"). Register it by running \"" + kAgentExe +
           L" -RegServer\" in the agent's folder as an administrator, or install the agent again.";
  return agent + L" could not be started or reached: " + StatusText(hr) + L".";
}

template <class T>
TComPtr<T> CreateLocal(REFCLSID clsid, REFIID iid) {
  TComPtr<T> object;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                      iid, object.PutVoid());
  if (FAILED(hr)) throw EOleError(hr, CreationFailureText(hr));
  return object;
}

// A call on a link whose agent reference was released (program shutting down, or a
// test that never connected) is a plain error, not a crash.
[[noreturn]] void NotConnected() { throw EError(L"The agent is not connected"); }

}  // namespace

TSvcInvokerLink TSvcInvokerLink::Create() {
  return TSvcInvokerLink(CreateLocal<ISvcInvoker>(CLSID_CoSvcInvoker, IID_ISvcInvoker));
}

ISvcInvoker& TSvcInvokerLink::Intf() const {
  if (!invoker_) NotConnected();
  return *invoker_.Get();
}

void TSvcInvokerLink::Start() { OleCheck(Intf().Start()); }

TUserManagerLink TUserManagerLink::Create() {
  return TUserManagerLink(CreateLocal<IUserManager>(CLSID_CoUserManager, IID_IUserManager));
}

IUserManager& TUserManagerLink::Intf() const {
  if (!manager_) NotConnected();
  return *manager_.Get();
}

int TUserManagerLink::GetUserState() {
  long state = 0;
  OleCheck(Intf().GetUserState(&state));
  return state;
}

std::wstring TUserManagerLink::GetAuthorization() {
  TBStr text;
  OleCheck(Intf().GetAuthorization(text.Put()));
  return text.Str();
}

void TUserManagerLink::SetAnswer(const std::wstring& answer) {
  OleCheck(Intf().SetAnswer(TBStr(answer).Get()));
}

void TUserManagerLink::ChangeUser(const std::wstring& accountKey) {
  OleCheck(Intf().ChangeUser(TBStr(accountKey).Get()));
}

void TUserManagerLink::ResendAccountKey(const std::wstring& domain) {
  OleCheck(Intf().ResendAccountKey(TBStr(domain).Get()));
}

std::wstring TUserManagerLink::GetUserProfile(int mode) {
  TBStr xml;
  OleCheck(Intf().GetUserProfile(mode, xml.Put()));
  return xml.Str();
}

void TUserManagerLink::PutUserProfile(const std::wstring& xml, int flag) {
  OleCheck(Intf().PutUserProfile(TBStr(xml).Get(), flag));
}

std::wstring TUserManagerLink::GetAppProfile() {
  TBStr xml;
  OleCheck(Intf().GetAppProfile(xml.Put()));
  return xml.Str();
}

void TUserManagerLink::PutAppProfile(const std::wstring& xml) {
  OleCheck(Intf().PutAppProfile(TBStr(xml).Get()));
}

void TUserManagerLink::RebuildAccountKey() { OleCheck(Intf().RebuildAccountKey()); }

void TUserManagerLink::ResendAnswer() { OleCheck(Intf().ResendAnswer()); }

std::vector<std::wstring> TUserManagerLink::FindDomains(const std::wstring& pattern) {
  TVariant domains;
  OleCheck(Intf().FindDomains(TBStr(pattern).Get(), domains.Put()));
  return VariantToStrings(domains.Get());
}

DATE TUserManagerLink::GetExpiryDate() {
  DATE expiry = 0;
  OleCheck(Intf().GetExpiryDate(&expiry));
  return expiry;
}

int TUserManagerLink::GetServiceType() {
  long type = 0;
  OleCheck(Intf().GetServiceType(&type));
  return type;
}

int TUserManagerLink::GetDomainSequence(const std::wstring& domain) {
  long sequence = 0;
  OleCheck(Intf().GetDomainSequence(TBStr(domain).Get(), &sequence));
  return sequence;
}

bool TUserManagerLink::IsOnline() {
  VARIANT_BOOL online = VARIANT_FALSE;
  OleCheck(Intf().IsOnline(&online));
  return online != VARIANT_FALSE;
}

int TUserManagerLink::SignIn() {
  long result = 0;
  OleCheck(Intf().SignIn(&result));
  return result;
}

void TUserManagerLink::SignOut() { OleCheck(Intf().SignOut()); }

std::vector<std::wstring> TUserManagerLink::GetDomainList() {
  TVariant suffixes;
  OleCheck(Intf().GetDomainList(suffixes.Put()));
  return VariantToStrings(suffixes.Get());
}
