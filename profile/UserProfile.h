// Typed views of the two documents the agent hands out: the user profile (root
// UserInfo) and the local settings (root LocalSetting). Field accessors read and
// write the DOM directly; reading a missing field creates it (see TXMLNode).
// IPv4 fields hold the address as one signed 32-bit integer (see IPv4FromOctets);
// date-time fields hold days since 30 December 1899 as a real.
#pragma once
#include <string>

#include "profile/XMLNode.h"
#include "profile/XMLNodeCollection.h"

// ---- Records of the domain's hierarchy and DNS ----

// A domain above this account's domain.
class TXMLParentType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;
  std::wstring Domain() const { return GetAttrString(L"Domain"); }
  void SetDomain(const std::wstring& v) { SetAttrString(L"Domain", v); }
  int Sequence() const { return GetInt(L"Sequence"); }
  void SetSequence(int v) { SetInt(L"Sequence", v); }
  int Token() const { return GetInt(L"Token"); }
  void SetToken(int v) { SetInt(L"Token", v); }
};

// A sub-domain of this account's domain delegated to another account.
class TXMLChildType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;
  std::wstring Domain() const { return GetAttrString(L"Domain"); }
  void SetDomain(const std::wstring& v) { SetAttrString(L"Domain", v); }
  std::wstring Name() const { return GetString(L"Name"); }
  void SetName(const std::wstring& v) { SetString(L"Name", v); }
  int Sequence() const { return GetInt(L"Sequence"); }
  void SetSequence(int v) { SetInt(L"Sequence", v); }
  int Token() const { return GetInt(L"Token"); }
  void SetToken(int v) { SetInt(L"Token", v); }
};

// A host record.
class TXMLAType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;
  std::wstring Name() const { return GetString(L"Name"); }
  void SetName(const std::wstring& v) { SetString(L"Name", v); }
  int TTL() const { return GetInt(L"TTL"); }
  void SetTTL(int v) { SetInt(L"TTL", v); }
  int IPv4() const { return GetInt(L"IPv4"); }
  void SetIPv4(int v) { SetInt(L"IPv4", v); }
};

// An alias record.
class TXMLCNameType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;
  std::wstring Name() const { return GetString(L"Name"); }
  void SetName(const std::wstring& v) { SetString(L"Name", v); }
  int TTL() const { return GetInt(L"TTL"); }
  void SetTTL(int v) { SetInt(L"TTL", v); }
  std::wstring Host() const { return GetString(L"Host"); }
  void SetHost(const std::wstring& v) { SetString(L"Host", v); }
};

// A mail exchanger record.
class TXMLMXType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;
  std::wstring Name() const { return GetString(L"Name"); }
  void SetName(const std::wstring& v) { SetString(L"Name", v); }
  int TTL() const { return GetInt(L"TTL"); }
  void SetTTL(int v) { SetInt(L"TTL", v); }
  std::wstring NameExchange() const { return GetString(L"NameExchange"); }
  void SetNameExchange(const std::wstring& v) { SetString(L"NameExchange", v); }
  int Preference() const { return GetInt(L"Preference"); }
  void SetPreference(int v) { SetInt(L"Preference", v); }
};

// One payment on the account.
class TXMLChargeLogType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;
  float Sum() const { return GetSingle(L"Sum"); }
  void SetSum(float v) { SetSingle(L"Sum", v); }
  int CurrencyType() const { return GetInt(L"CurrencyType"); }
  void SetCurrencyType(int v) { SetInt(L"CurrencyType", v); }
  DATE ChargeStamp() const { return GetReal(L"ChargeStamp"); }
  void SetChargeStamp(DATE v) { SetReal(L"ChargeStamp", v); }
};

// Parents: Parent items.
class TXMLParentsType : public TXMLRecordCollection<TXMLParentType> {
 public:
  using TXMLRecordCollection<TXMLParentType>::TXMLRecordCollection;
};
// Children: Child items.
class TXMLChildrenType : public TXMLRecordCollection<TXMLChildType> {
 public:
  using TXMLRecordCollection<TXMLChildType>::TXMLRecordCollection;
};
// As: A items.
class TXMLAsType : public TXMLRecordCollection<TXMLAType> {
 public:
  using TXMLRecordCollection<TXMLAType>::TXMLRecordCollection;
};
// CNames: CName items.
class TXMLCNamesType : public TXMLRecordCollection<TXMLCNameType> {
 public:
  using TXMLRecordCollection<TXMLCNameType>::TXMLRecordCollection;
};
// MXs: MX items.
class TXMLMXsType : public TXMLRecordCollection<TXMLMXType> {
 public:
  using TXMLRecordCollection<TXMLMXType>::TXMLRecordCollection;
};
// ChargeLogs: ChargeLog items.
class TXMLChargeLogsType : public TXMLRecordCollection<TXMLChargeLogType> {
 public:
  using TXMLRecordCollection<TXMLChargeLogType>::TXMLRecordCollection;
};

// ---- The site lists ----

// Services: service codes, positions in the service vocabulary.
class TXMLServicesType : public TXMLIntegerCollection {
 public:
  using TXMLIntegerCollection::TXMLIntegerCollection;
};
// SiteKeys: the site's search keywords.
class TXMLSiteKeysType : public TXMLStringCollection {
 public:
  using TXMLStringCollection::TXMLStringCollection;
};
// SiteNews: the site's news texts, oldest first.
class TXMLSiteNewsType : public TXMLStringCollection {
 public:
  using TXMLStringCollection::TXMLStringCollection;
};

// The application file has a class of the same name; each lives in its own scope.
namespace UserProfileXml {
// Categories: category codes of the application file's tree.
class TXMLCategoriesType : public TXMLIntegerCollection {
 public:
  using TXMLIntegerCollection::TXMLIntegerCollection;
};
}  // namespace UserProfileXml

// ---- The roots ----

class TXMLUserInfoType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;

  // Set by the program when a page changes the document; decides whether OK or
  // Apply sends it back. The poll reads it on every tick, so a profile that came
  // without it (absent or empty), or with a text that is no boolean, reads as not
  // modified instead of failing every tick; the first edit writes it.
  bool Modified() const;
  void SetModified(bool v) { SetAttrBool(L"Modified", v); }

  int OnlineType() const { return GetInt(L"OnlineType"); }
  void SetOnlineType(int v) { SetInt(L"OnlineType", v); }
  int OnlineIP() const { return GetInt(L"OnlineIP"); }
  void SetOnlineIP(int v) { SetInt(L"OnlineIP", v); }
  int OnlinePort() const { return GetInt(L"OnlinePort"); }
  void SetOnlinePort(int v) { SetInt(L"OnlinePort", v); }
  int OnlineFixedIP() const { return GetInt(L"OnlineFixedIP"); }
  void SetOnlineFixedIP(int v) { SetInt(L"OnlineFixedIP", v); }
  int OnlineFixedPort() const { return GetInt(L"OnlineFixedPort"); }
  void SetOnlineFixedPort(int v) { SetInt(L"OnlineFixedPort", v); }
  std::wstring OnlineURL() const { return GetString(L"OnlineURL"); }
  void SetOnlineURL(const std::wstring& v) { SetString(L"OnlineURL", v); }
  int OfflineType() const { return GetInt(L"OfflineType"); }
  void SetOfflineType(int v) { SetInt(L"OfflineType", v); }
  int OfflineIP() const { return GetInt(L"OfflineIP"); }
  void SetOfflineIP(int v) { SetInt(L"OfflineIP", v); }
  int OfflinePort() const { return GetInt(L"OfflinePort"); }
  void SetOfflinePort(int v) { SetInt(L"OfflinePort", v); }
  std::wstring OfflineURL() const { return GetString(L"OfflineURL"); }
  void SetOfflineURL(const std::wstring& v) { SetString(L"OfflineURL", v); }
  std::wstring OfflineHost() const { return GetString(L"OfflineHost"); }
  void SetOfflineHost(const std::wstring& v) { SetString(L"OfflineHost", v); }
  int TTL() const { return GetInt(L"TTL"); }
  void SetTTL(int v) { SetInt(L"TTL", v); }
  DATE LastUpdate() const { return GetReal(L"LastUpdate"); }
  void SetLastUpdate(DATE v) { SetReal(L"LastUpdate", v); }
  std::wstring Domain() const { return GetString(L"Domain"); }
  void SetDomain(const std::wstring& v) { SetString(L"Domain", v); }
  bool Authorization() const { return GetBool(L"Authorization"); }
  void SetAuthorization(bool v) { SetBool(L"Authorization", v); }
  int DnsState() const { return GetInt(L"DnsState"); }
  void SetDnsState(int v) { SetInt(L"DnsState", v); }
  TXMLParentsType Parents() const { return SharedCollection<TXMLParentsType>(L"Parents", L"Parent"); }
  TXMLChildrenType Children() const { return SharedCollection<TXMLChildrenType>(L"Children", L"Child"); }
  TXMLAsType As() const { return SharedCollection<TXMLAsType>(L"As", L"A"); }
  TXMLCNamesType CNames() const { return SharedCollection<TXMLCNamesType>(L"CNames", L"CName"); }
  TXMLMXsType MXs() const { return SharedCollection<TXMLMXsType>(L"MXs", L"MX"); }
  std::wstring UserName() const { return GetString(L"UserName"); }
  void SetUserName(const std::wstring& v) { SetString(L"UserName", v); }
  std::wstring Email() const { return GetString(L"Email"); }
  void SetEmail(const std::wstring& v) { SetString(L"Email", v); }
  int AccountState() const { return GetInt(L"AccountState"); }
  void SetAccountState(int v) { SetInt(L"AccountState", v); }
  std::wstring Question() const { return GetString(L"Question"); }
  void SetQuestion(const std::wstring& v) { SetString(L"Question", v); }
  std::wstring Answer() const { return GetString(L"Answer"); }
  void SetAnswer(const std::wstring& v) { SetString(L"Answer", v); }
  int ClientLanguage() const { return GetInt(L"ClientLanguage"); }
  void SetClientLanguage(int v) { SetInt(L"ClientLanguage", v); }
  TXMLChargeLogsType ChargeLogs() const { return SharedCollection<TXMLChargeLogsType>(L"ChargeLogs", L"ChargeLog"); }
  int ConnectionType() const { return GetInt(L"ConnectionType"); }
  void SetConnectionType(int v) { SetInt(L"ConnectionType", v); }
  std::wstring Description() const { return GetString(L"Description"); }
  void SetDescription(const std::wstring& v) { SetString(L"Description", v); }
  DATE HostUpdate() const { return GetReal(L"HostUpdate"); }
  void SetHostUpdate(DATE v) { SetReal(L"HostUpdate", v); }
  bool Subscribe() const { return GetBool(L"Subscribe"); }
  void SetSubscribe(bool v) { SetBool(L"Subscribe", v); }
  std::wstring ICQ() const { return GetString(L"ICQ"); }
  void SetICQ(const std::wstring& v) { SetString(L"ICQ", v); }
  std::wstring OICQ() const { return GetString(L"OICQ"); }
  void SetOICQ(const std::wstring& v) { SetString(L"OICQ", v); }
  std::wstring IPN() const { return GetString(L"IPN"); }
  void SetIPN(const std::wstring& v) { SetString(L"IPN", v); }
  std::wstring ClientVersion() const { return GetString(L"ClientVersion"); }
  void SetClientVersion(const std::wstring& v) { SetString(L"ClientVersion", v); }
  int HostLanguage() const { return GetInt(L"HostLanguage"); }
  void SetHostLanguage(int v) { SetInt(L"HostLanguage", v); }
  TXMLServicesType Services() const { return SharedCollection<TXMLServicesType>(L"Services", L"Service"); }
  TXMLSiteKeysType SiteKeys() const { return SharedCollection<TXMLSiteKeysType>(L"SiteKeys", L"Key"); }
  TXMLSiteNewsType SiteNews() const { return SharedCollection<TXMLSiteNewsType>(L"SiteNews", L"News"); }
  UserProfileXml::TXMLCategoriesType Categories() const { return SharedCollection<UserProfileXml::TXMLCategoriesType>(L"Categories", L"Category"); }
};

class TXMLLocalSettingType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;

  std::wstring Host() const { return GetString(L"Host"); }
  void SetHost(const std::wstring& v) { SetString(L"Host", v); }
  int HeartBeat() const { return GetInt(L"HeartBeat"); }
  void SetHeartBeat(int v) { SetInt(L"HeartBeat", v); }
  bool AutoConnect() const { return GetBool(L"AutoConnect"); }
  void SetAutoConnect(bool v) { SetBool(L"AutoConnect", v); }
};

// Parse the agent's texts into new documents; raise EXmlError on malformed XML or
// a wrong root element.
TXMLUserInfoType ParseUserInfo(const std::wstring& text);
TXMLLocalSettingType ParseLocalSetting(const std::wstring& text);
