#include "agent/AgentOutage.h"

#include <algorithm>
#include <vector>

#include "agent/AgentCallFilter.h"
#include "agent/AgentLink.h"
#include "agent/UnitDef.h"
#include "toolkit/Exception.h"

namespace {

// What the user was told of the outage under way. A set, not the last text: a call
// refused while the lost agent is being reconnected must not bring back the notice that
// it does not answer.
std::vector<std::wstring> g_told;

// The text that tells an outage of this status; empty for any other failure.
std::wstring OutageText(HRESULT status) {
  // Refused because another call waits, or given up after the agent asked us to come
  // again for too long: either way it does not answer.
  if (status == RPC_E_CALL_REJECTED) return AgentNotAnsweringText();
  if (IsAgentGone(status)) return AgentUnreachableText();
  return {};
}

}  // namespace

HRESULT FailureStatus(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const EOleError& e) {
    return e.Code();
  } catch (...) {
    return S_OK;
  }
}

void TellAgentOutage(const std::wstring& text) {
  if (std::find(g_told.begin(), g_told.end(), text) != g_told.end()) return;
  g_told.push_back(text);
  ShowMessageText(text);
}

void AgentOutageEnded() { g_told.clear(); }

bool IsAgentOutage(std::exception_ptr failure) {
  return failure && !OutageText(FailureStatus(failure)).empty();
}

bool TellAgentOutageOf(std::exception_ptr failure) {
  const std::wstring text = failure ? OutageText(FailureStatus(failure)) : std::wstring();
  if (text.empty()) return false;
  TellAgentOutage(text);
  return true;
}
