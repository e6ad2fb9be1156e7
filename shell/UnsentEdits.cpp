#include "shell/UnsentEdits.h"

#include "toolkit/Exception.h"

void TUnsentEdits::KeepAside(const TXMLUserInfoType& profile, const TXMLLocalSettingType& settings,
                             bool settingsModified) {
  if (profile.Assigned() && profile.Modified()) {
    profile_ = profile;
    profileDomain_ = heldDomain_;
  }
  if (settings.Assigned() && settingsModified) settings_ = settings;
}

TXMLUserInfoType TUnsentEdits::TakeProfile(TXMLUserInfoType fetched, const std::wstring& domain,
                                           std::wstring& discarded) {
  heldDomain_ = domain;
  if (!profile_.Assigned()) return fetched;
  TXMLUserInfoType kept = std::move(profile_);
  profile_ = {};
  if (profileDomain_ == domain) return kept;
  discarded = L"当前用户已变更，账户 " + profileDomain_ + L" 未发送的修改已被丢弃。";
  return fetched;
}

TXMLLocalSettingType TUnsentEdits::TakeSettings() {
  TXMLLocalSettingType kept = std::move(settings_);
  settings_ = {};
  return kept;
}

std::wstring AccountDomain(const TXMLUserInfoType& profile) {
  try {
    return profile.Domain();
  } catch (const EError&) {
    return {};
  }
}
