// What the user reads while the agent cannot be used: one word per outage, in the popup.
// An outage shows in several places at once: the call filter's notice that a call has
// waited too long, the poll's failing ticks, and every handler whose call finds the
// agent hung (a call made while another waits is refused at once) or gone. Left to the
// default error report, each such handler would add a modal box beside the popup, with
// the system's English text once the agent's process is gone.
//
// An outage begins with its first report and ends when the agent answers the poll
// again. Within it each text is shown once: a hung agent that is then killed is told
// once more, since what the user can do has changed, but no text comes back.
#pragma once
#include <windows.h>

#include <exception>
#include <string>

// Shows the text in the popup unless the user was told it during this outage.
void TellAgentOutage(const std::wstring& text);
// The agent answered: the next outage is told again.
void AgentOutageEnded();

// True when `failure` says only that the agent cannot be used now: it does not answer,
// or its process is gone.
bool IsAgentOutage(const std::exception_ptr& failure);
// For failures no handler caught: tells an outage as TellAgentOutage does and returns
// true; any other failure is left to the caller (false).
bool TellAgentOutageOf(const std::exception_ptr& failure);

// The status of a failed agent call, S_OK for any other failure.
HRESULT FailureStatus(const std::exception_ptr& failure);
