// Typed view of the application file "AppProfile.xml" (root Application): fixed lists
// shipped with the program, loaded once at start-up and only read.
#pragma once
#include <string>

#include "XMLNode.h"

class TXMLApplicationType : public TXMLNode {
 public:
  using TXMLNode::TXMLNode;

  int Language() const { return GetInt(L"Language"); }
  void SetLanguage(int v) { SetInt(L"Language", v); }
  std::wstring Version() const { return GetString(L"Version"); }
  void SetVersion(const std::wstring& v) { SetString(L"Version", v); }
  std::wstring CnfgApp() const { return GetString(L"CnfgApp"); }
  void SetCnfgApp(const std::wstring& v) { SetString(L"CnfgApp", v); }
};

// Opens and parses the file; raises EXmlError when it is missing, malformed, or its
// root is not Application.
TXMLApplicationType LoadApplicationFile(const std::wstring& fileName);
