#include "profile/UserProfile.h"

#include "profile/XmlDom.h"

TXMLUserInfoType ParseUserInfo(const std::wstring& text) {
  return TXMLUserInfoType(LoadXmlText(text, L"UserInfo"));
}

TXMLLocalSettingType ParseLocalSetting(const std::wstring& text) {
  return TXMLLocalSettingType(LoadXmlText(text, L"LocalSetting"));
}
