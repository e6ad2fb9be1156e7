// Typed view of the application file "AppProfile.xml" (root Application): fixed lists
// shipped with the program, loaded once at start-up and only read: the name servers
// the agent can sign in to and the two-level tree of site categories.
#pragma once
#include <string>

#include "profile/XMLNode.h"
#include "profile/XMLNodeCollection.h"

// Hosts: the name servers offered on the options page, in document order.
class TXMLHostsType : public TXMLStringCollection {
 public:
  using TXMLStringCollection::TXMLStringCollection;
};

class TXMLNetStateType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;
  std::wstring Host() const { return GetString(L"Host"); }
  void SetHost(const std::wstring& v) { SetString(L"Host", v); }
  int Port() const { return GetInt(L"Port"); }
  void SetPort(int v) { SetInt(L"Port", v); }
  int Interval() const { return GetInt(L"Interval"); }
  void SetInterval(int v) { SetInt(L"Interval", v); }
};

// A category: its display name and code, and its sub-categories as its items.
class TXMLCategoryType : public TXMLRecordCollection<TXMLCategoryType> {
 public:
  TXMLCategoryType() : TXMLRecordCollection(nullptr, L"Category", nullptr) {}
  TXMLCategoryType(TComPtr<IXMLDOMElement> element, std::shared_ptr<TXMLDocState> state)
      : TXMLRecordCollection(std::move(element), L"Category", std::move(state)) {}

  std::wstring name() const { return GetAttrString(L"name"); }
  void Setname(const std::wstring& v) { SetAttrString(L"name", v); }
  int value() const { return GetAttrInt(L"value"); }
  void Setvalue(int v) { SetAttrInt(L"value", v); }
};

// The user profile has a class of the same name; each lives in its own scope.
namespace AppProfileXml {
class TXMLCategoriesType : public TXMLRecordCollection<TXMLCategoryType> {
 public:
  using TXMLRecordCollection::TXMLRecordCollection;
};
}  // namespace AppProfileXml

class TXMLApplicationType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;

  int Language() const { return GetInt(L"Language"); }
  void SetLanguage(int v) { SetInt(L"Language", v); }
  std::wstring Version() const { return GetString(L"Version"); }
  void SetVersion(const std::wstring& v) { SetString(L"Version", v); }
  TXMLHostsType Hosts() const { return SharedCollection<TXMLHostsType>(L"Hosts", L"Host"); }
  TXMLNetStateType NetState() const { return Child<TXMLNetStateType>(L"NetState"); }
  std::wstring CnfgApp() const { return GetString(L"CnfgApp"); }
  void SetCnfgApp(const std::wstring& v) { SetString(L"CnfgApp", v); }
  AppProfileXml::TXMLCategoriesType Categories() const {
    return SharedCollection<AppProfileXml::TXMLCategoriesType>(L"Categories", L"Category");
  }
};

// Opens and parses the file; raises EXmlError when it is missing, malformed, or its
// root is not Application.
TXMLApplicationType LoadApplicationFile(const std::wstring& fileName);

// The code of the category with this display name: groups are tested before their
// own sub-categories, all of a group's sub-categories before the next group, and a
// match whose code is negative does not end the walk. -1 when nothing matches.
// Only the two top levels are searched.
int FindCategoryValue(const TXMLApplicationType& app, const std::wstring& name);
// The display name of the category with this code, by the same walk; a match with
// an empty name does not end it. Empty when nothing matches.
std::wstring FindCategoryName(const TXMLApplicationType& app, int code);
