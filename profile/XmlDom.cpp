#include "profile/XmlDom.h"

#include "toolkit/ComValue.h"
#include "toolkit/OleCheck.h"
#include "profile/XmlParseError.h"

namespace {

TComPtr<IXMLDOMDocument> CreateByProgId(const wchar_t* progId) {
  CLSID clsid;
  TComPtr<IXMLDOMDocument> document;
  if (SUCCEEDED(CLSIDFromProgID(progId, &clsid)))
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                     document.PutVoid());
  return document;
}

// "<subject> is not well-formed XML", with what the platform tells of the reason
// and the place.
std::wstring NotWellFormed(const std::wstring& subject, IXMLDOMDocument& document,
                           const std::wstring& source, bool isFile) {
  const std::wstring detail = DiagnoseParseFailure(document, source, isFile).Detail();
  return subject + L" is not well-formed XML" + (detail.empty() ? L"" : L": " + detail);
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
    throw EXmlError(NotWellFormed(L"The text", *document.Get(), text, false));
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
    throw EXmlError(NotWellFormed(L"The file " + fileName, *document.Get(), fileName, true));
  return CheckedRoot(*document.Get(), rootName);
}

std::wstring ElementMarkup(IXMLDOMNode& node) {
  TBStr xml;
  OleCheck(node.get_xml(xml.Put()));
  return xml.Str();
}
