#include "AppProfile.h"

#include "XmlDom.h"

TXMLApplicationType LoadApplicationFile(const std::wstring& fileName) {
  return TXMLApplicationType(LoadXmlFile(fileName, L"Application"));
}
