#include "profile/XmlDom.h"

#include "toolkit/ComValue.h"
#include "toolkit/OleCheck.h"

namespace {

TComPtr<IXMLDOMDocument> CreateByProgId(const wchar_t* progId) {
  CLSID clsid;
  TComPtr<IXMLDOMDocument> document;
  if (SUCCEEDED(CLSIDFromProgID(progId, &clsid)))
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                     document.PutVoid());
  return document;
}

// The parser's own reason for a failed load, e.g. "line 3: end tag does not match".
std::wstring ParseErrorText(IXMLDOMDocument& document) {
  TComPtr<IXMLDOMParseError> error;
  std::wstring reason;
  if (SUCCEEDED(document.get_parseError(error.Put())) && error) {
    TBStr text;
    long line = 0;
    error->get_reason(text.Put());
    error->get_line(&line);
    reason = text.Str();
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r')) reason.pop_back();
    if (line > 0) reason = L"line " + std::to_wstring(line) + L": " + reason;
  }
  return reason.empty() ? L"XML parse error" : reason;
}

TComPtr<IXMLDOMElement> CheckedRoot(IXMLDOMDocument& document, const wchar_t* rootName) {
  TComPtr<IXMLDOMElement> root;
  document.get_documentElement(root.Put());
  if (!root) throw EXmlError(L"The XML document has no root element");
  TBStr name;
  OleCheck(root->get_tagName(name.Put()));
  if (name.Str() != rootName)
    throw EXmlError(L"Expected the root element <" + std::wstring(rootName) + L">, found <" +
                    name.Str() + L">");
  return root;
}

TComPtr<IXMLDOMDocument> NewParser() {
  TComPtr<IXMLDOMDocument> document = NewDomDocument();
  // Synchronous loads, no DTD fetching, and white space kept as it came so that
  // what the program does not touch goes back unchanged.
  document->put_async(VARIANT_FALSE);
  document->put_validateOnParse(VARIANT_FALSE);
  document->put_resolveExternals(VARIANT_FALSE);
  document->put_preserveWhiteSpace(VARIANT_TRUE);
  return document;
}

}  // namespace

TComPtr<IXMLDOMDocument> NewDomDocument() {
  TComPtr<IXMLDOMDocument> document = CreateByProgId(L"Msxml2.DOMDocument.6.0");
  if (!document) document = CreateByProgId(L"Msxml2.DOMDocument.3.0");
  if (!document) throw EXmlError(L"The XML DOM service (MSXML) is not available");
  return document;
}

TComPtr<IXMLDOMElement> LoadXmlText(const std::wstring& text, const wchar_t* rootName) {
  TComPtr<IXMLDOMDocument> document = NewParser();
  VARIANT_BOOL ok = VARIANT_FALSE;
  TBStr source(text);
  if (FAILED(document->loadXML(source.Get(), &ok)) || ok == VARIANT_FALSE)
    throw EXmlError(ParseErrorText(*document.Get()));
  return CheckedRoot(*document.Get(), rootName);
}

TComPtr<IXMLDOMElement> LoadXmlFile(const std::wstring& fileName, const wchar_t* rootName) {
  if (GetFileAttributesW(fileName.c_str()) == INVALID_FILE_ATTRIBUTES)
    throw EXmlError(L"File not found: " + fileName);
  TComPtr<IXMLDOMDocument> document = NewParser();
  VARIANT source;
  VariantInit(&source);
  V_VT(&source) = VT_BSTR;
  TBStr path(fileName);
  V_BSTR(&source) = path.Get();
  VARIANT_BOOL ok = VARIANT_FALSE;
  if (FAILED(document->load(source, &ok)) || ok == VARIANT_FALSE)
    throw EXmlError(fileName + L": " + ParseErrorText(*document.Get()));
  return CheckedRoot(*document.Get(), rootName);
}

std::wstring ElementMarkup(IXMLDOMNode& node) {
  TBStr xml;
  OleCheck(node.get_xml(xml.Put()));
  return xml.Str();
}
