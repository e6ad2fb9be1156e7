// Edits that must not vanish when the agent drops the documents under the window. When
// the agent reports no usable user, the poll releases both documents; one with unsent
// edits is kept aside here instead of being thrown away. When a profile comes again,
// the kept one replaces it if it is the same account's (with its Modified mark, so Apply
// is enabled again); if another account came, the kept profile is discarded and the user
// is told. Kept local settings belong to the agent, not to an account: they come back
// whichever account comes.
//
// An account is known by the domain of its profile as the agent handed it out (the
// user may be editing the domain itself).
#pragma once
#include <string>

#include "profile/UserProfile.h"

class TUnsentEdits {
 public:
  // A profile was fetched for the account with this domain (it is now held).
  void NoteHeld(const std::wstring& domain) { heldDomain_ = domain; }

  // The held documents are about to be released: keeps those with unsent edits.
  void KeepAside(const TXMLUserInfoType& profile, const TXMLLocalSettingType& settings,
                 bool settingsModified);

  // A profile was just fetched for the account with `domain`: the kept profile when it
  // is that account's, else `fetched`. `discarded` receives the text telling the user
  // when a kept profile of another account was dropped (else it is left empty).
  TXMLUserInfoType TakeProfile(TXMLUserInfoType fetched, const std::wstring& domain,
                               std::wstring& discarded);
  // The kept local settings (unassigned when none were kept), handed over once.
  TXMLLocalSettingType TakeSettings();

  bool Empty() const { return !profile_.Assigned() && !settings_.Assigned(); }

 private:
  std::wstring heldDomain_;
  TXMLUserInfoType profile_;
  std::wstring profileDomain_;
  TXMLLocalSettingType settings_;
};

// The domain of a profile as the agent handed it out; empty when it cannot be read.
std::wstring AccountDomain(const TXMLUserInfoType& profile);
