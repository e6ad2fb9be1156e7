#include "agent/AgentLink.h"

#include <cwchar>

#include "agent/AgentCallFilter.h"
#include "agent/RpcssRestart.h"
#include "toolkit/ComValue.h"
#include "toolkit/Exception.h"
#include "toolkit/OleCheck.h"
#include "agent/SvcObj.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

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
  return text.empty() ? FormatResString(kTextErrorNumber, {number}) : text + L" (" + number + L")";
}

// A start-up failure the user can act on: what is wrong with the agent, and what to do.
std::wstring CreationFailureText(HRESULT hr) {
  if (MeansNotRegistered(hr))
    return FormatResString(kTextAgentNotRegistered, {kAgentExe, StatusText(hr), kAgentExe});
  return FormatResString(kTextAgentNotStarted, {kAgentExe, StatusText(hr)});
}

template <class T>
TComPtr<T> CreateLocal(REFCLSID clsid, REFIID iid) {
  TComPtr<T> object;
  auto create = [&] {
    TAgentCallScope scope;
    return CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER, iid,
                            object.PutVoid());
  };
  HRESULT hr = create();
  // Under Wine this is the registration of an agent that was killed, still served by
  // the activation service: restarting it lets COM start (or find) a live agent.
  if (hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) && IsWineHost() &&
      RestartComActivationService())
    hr = create();
  if (FAILED(hr)) throw EOleError(hr, CreationFailureText(hr));
  return object;
}

// A call on a link whose agent reference was released (the agent was lost and is not
// back yet, or a test that never connected) fails as a call to a lost agent does.
[[noreturn]] void NotConnected() { throw EOleError(CO_E_OBJNOTCONNECTED, AgentUnreachableText()); }

// One call to the agent: one at a time (see AgentCallFilter), failures raised. An agent
// that is gone or does not answer leaves no failure text of its own, and the system's
// (in its language, "RPC server unavailable") says nothing of the agent: the user reads
// the program's.
template <class TCall>
void Checked(TCall call) {
  TAgentCallScope scope;
  const HRESULT hr = call();
  if (const std::wstring outage = AgentOutageText(hr); !outage.empty()) throw EOleError(hr, outage);
  OleCheck(hr);
}

}  // namespace

bool IsAgentGone(HRESULT hr) {
  switch (hr) {
    case RPC_E_DISCONNECTED:
    case RPC_E_SERVER_DIED:
    case RPC_E_SERVER_DIED_DNE:
    case RPC_E_INVALID_OBJECT:
    case CO_E_OBJNOTCONNECTED:
    case HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE):
    case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED):
    case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE):
    case HRESULT_FROM_WIN32(RPC_S_UNKNOWN_IF):
    case HRESULT_FROM_WIN32(ERROR_INVALID_HANDLE):
      return true;
    default:
      return false;
  }
}

std::wstring AgentUnreachableText() { return FormatResString(kTextAgentUnreachable, {kAgentExe}); }

std::wstring AgentOutageText(HRESULT hr) {
  // Refused because another call waits, or given up after the agent asked us to come
  // again for too long: either way it does not answer.
  if (hr == RPC_E_CALL_REJECTED) return AgentNotAnsweringText();
  if (IsAgentGone(hr)) return AgentUnreachableText();
  return {};
}

TSvcInvokerLink TSvcInvokerLink::Create() {
  return TSvcInvokerLink(CreateLocal<ISvcInvoker>(CLSID_CoSvcInvoker, IID_ISvcInvoker));
}

ISvcInvoker& TSvcInvokerLink::Intf() const {
  if (!invoker_) NotConnected();
  return *invoker_.Get();
}

void TSvcInvokerLink::Start() { Checked([&] { return Intf().Start(); }); }

TUserManagerLink TUserManagerLink::Create() {
  return TUserManagerLink(CreateLocal<IUserManager>(CLSID_CoUserManager, IID_IUserManager));
}

IUserManager& TUserManagerLink::Intf() const {
  if (!manager_) NotConnected();
  return *manager_.Get();
}

int TUserManagerLink::GetUserState() {
  long state = 0;
  Checked([&] { return Intf().GetUserState(&state); });
  return state;
}

std::wstring TUserManagerLink::GetAuthorization() {
  TBStr text;
  Checked([&] { return Intf().GetAuthorization(text.Put()); });
  return text.Str();
}

void TUserManagerLink::SetAnswer(const std::wstring& answer) {
  Checked([&] { return Intf().SetAnswer(TBStr(answer).Get()); });
}

void TUserManagerLink::ChangeUser(const std::wstring& accountKey) {
  Checked([&] { return Intf().ChangeUser(TBStr(accountKey).Get()); });
}

void TUserManagerLink::ResendAccountKey(const std::wstring& domain) {
  Checked([&] { return Intf().ResendAccountKey(TBStr(domain).Get()); });
}

std::wstring TUserManagerLink::GetUserProfile(int mode) {
  TBStr xml;
  Checked([&] { return Intf().GetUserProfile(mode, xml.Put()); });
  return xml.Str();
}

void TUserManagerLink::PutUserProfile(const std::wstring& xml, int flag) {
  Checked([&] { return Intf().PutUserProfile(TBStr(xml).Get(), flag); });
}

std::wstring TUserManagerLink::GetAppProfile() {
  TBStr xml;
  Checked([&] { return Intf().GetAppProfile(xml.Put()); });
  return xml.Str();
}

void TUserManagerLink::PutAppProfile(const std::wstring& xml) {
  Checked([&] { return Intf().PutAppProfile(TBStr(xml).Get()); });
}

void TUserManagerLink::RebuildAccountKey() { Checked([&] { return Intf().RebuildAccountKey(); }); }

void TUserManagerLink::ResendAnswer() { Checked([&] { return Intf().ResendAnswer(); }); }

std::vector<std::wstring> TUserManagerLink::FindDomains(const std::wstring& pattern) {
  TVariant domains;
  Checked([&] { return Intf().FindDomains(TBStr(pattern).Get(), domains.Put()); });
  return VariantToStrings(domains.Get());
}

DATE TUserManagerLink::GetExpiryDate() {
  DATE expiry = 0;
  Checked([&] { return Intf().GetExpiryDate(&expiry); });
  return expiry;
}

int TUserManagerLink::GetServiceType() {
  long type = 0;
  Checked([&] { return Intf().GetServiceType(&type); });
  return type;
}

int TUserManagerLink::GetDomainSequence(const std::wstring& domain) {
  long sequence = 0;
  Checked([&] { return Intf().GetDomainSequence(TBStr(domain).Get(), &sequence); });
  return sequence;
}

bool TUserManagerLink::IsOnline() {
  VARIANT_BOOL online = VARIANT_FALSE;
  Checked([&] { return Intf().IsOnline(&online); });
  return online != VARIANT_FALSE;
}

int TUserManagerLink::SignIn() {
  long result = 0;
  Checked([&] { return Intf().SignIn(&result); });
  return result;
}

void TUserManagerLink::SignOut() { Checked([&] { return Intf().SignOut(); }); }

std::vector<std::wstring> TUserManagerLink::GetDomainList() {
  TVariant suffixes;
  Checked([&] { return Intf().GetDomainList(suffixes.Put()); });
  return VariantToStrings(suffixes.Get());
}
