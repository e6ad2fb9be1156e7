#include "profile/UserProfile.h"

#include "profile/XmlDom.h"
#include "profile/XmlValue.h"
#include "toolkit/Exception.h"

TXMLUserInfoType ParseUserInfo(const std::wstring& text) {
  return TXMLUserInfoType(LoadXmlText(text, L"UserInfo"));
}

TXMLLocalSettingType ParseLocalSetting(const std::wstring& text) {
  return TXMLLocalSettingType(LoadXmlText(text, L"LocalSetting"));
}

bool TXMLUserInfoType::Modified() const {
  const std::wstring text = GetAttrText(L"Modified");
  if (text.empty()) return false;
  try {
    return XmlToBool(text);
  } catch (const EError&) {
    return false;
  }
}
