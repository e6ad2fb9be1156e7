#include "agent/AgentOutage.h"

#include <algorithm>
#include <vector>

#include "agent/AgentLink.h"
#include "agent/UnitDef.h"
#include "toolkit/Exception.h"

namespace {

// What the user was told of the outage under way. A set, not the last text: a call
// refused while the lost agent is being reconnected must not bring back the notice that
// it does not answer.
std::vector<std::wstring> g_told;

}  // namespace

HRESULT FailureStatus(const std::exception_ptr& failure) {
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

bool IsAgentOutage(const std::exception_ptr& failure) {
  return failure && !AgentOutageText(FailureStatus(failure)).empty();
}

bool TellAgentOutageOf(const std::exception_ptr& failure) {
  const std::wstring text = failure ? AgentOutageText(FailureStatus(failure)) : std::wstring();
  if (text.empty()) return false;
  TellAgentOutage(text);
  return true;
}
