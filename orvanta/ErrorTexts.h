// The agent's failures: one table of readable (Chinese) descriptions with the status
// each one returns, and the exception that carries a failure up to the COM layer,
// which turns it into the status plus an IErrorInfo.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

enum class TAgentFault {
  NoUser,             // an operation that needs the current account, in state 1
  EmptyKey,
  UnknownKey,
  EmptyDomain,
  UnknownDomain,
  AnswerNotAccepted,  // protected fields changed without an accepted security answer
  MalformedDocument,
  WrongRoot,
  InvalidDomainName,
  DomainTaken,
  AccountExpired,
  InvalidMode,
  NoEmail,
  StoreCorrupt,
  StoreWrite,
  NotSupported,
  Internal,
  ProfileChanged,     // PutUserProfile made on an older revision of the profile
  SecretUnreadable,   // an account's key or answer sealed for another machine
};

class TAgentError : public std::runtime_error {
 public:
  // `detail` replaces the "%s" of the fault's text (file name, domain, parser message).
  explicit TAgentError(TAgentFault fault, const std::wstring& detail = {});

  TAgentFault Fault() const { return fault_; }
  HRESULT Result() const;
  const std::wstring& Description() const { return description_; }

 private:
  TAgentFault fault_;
  std::wstring description_;
};

// The status a fault returns: FACILITY_ITF codes from 0x0201 up, one per fault, so a
// client can tell failures apart without parsing the text.
HRESULT FaultResult(TAgentFault fault);

// The fault's text with `detail` in place of "%s".
std::wstring FaultText(TAgentFault fault, const std::wstring& detail = {});
