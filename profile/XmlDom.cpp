#include "profile/XmlDom.h"

#include "toolkit/ComValue.h"
#include "toolkit/OleCheck.h"
#include "profile/XmlParseError.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

namespace {

TComPtr<IXMLDOMDocument> CreateByProgId(const wchar_t* progId) {
  CLSID clsid;
  TComPtr<IXMLDOMDocument> document;
  if (SUCCEEDED(CLSIDFromProgID(progId, &clsid)))
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                     document.PutVoid());
  return document;
}

// That the file or text is not well-formed XML, with what the platform tells of the
// reason and the place.
std::wstring NotWellFormed(IXMLDOMDocument& document, const std::wstring& source, bool isFile) {
  const std::wstring detail = DiagnoseParseFailure(document, source, isFile).Detail();
  const std::wstring what = isFile ? FormatResString(kTextXmlFileNotWellFormed, {source})
                                   : FormatResString(kTextXmlTextNotWellFormed, {});
  return what + (detail.empty() ? L"" : L"：" + detail);
}

TComPtr<IXMLDOMElement> CheckedRoot(IXMLDOMDocument& document, const wchar_t* rootName) {
  TComPtr<IXMLDOMElement> root;
  document.get_documentElement(root.Put());
  if (!root) throw EXmlError(FormatResString(kTextXmlNoRoot, {}));
  TBStr name;
  OleCheck(root->get_tagName(name.Put()));
  if (name.Str() != rootName)
    throw EXmlError(FormatResString(kTextXmlWrongRoot, {rootName, name.Str()}));
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
  if (!document) throw EXmlError(FormatResString(kTextXmlServiceMissing, {}));
  return document;
}

TComPtr<IXMLDOMElement> LoadXmlText(const std::wstring& text, const wchar_t* rootName) {
  TComPtr<IXMLDOMDocument> document = NewParser();
  VARIANT_BOOL ok = VARIANT_FALSE;
  TBStr source(text);
  if (FAILED(document->loadXML(source.Get(), &ok)) || ok == VARIANT_FALSE)
    throw EXmlError(NotWellFormed(*document.Get(), text, false));
  return CheckedRoot(*document.Get(), rootName);
}

TComPtr<IXMLDOMElement> LoadXmlFile(const std::wstring& fileName, const wchar_t* rootName) {
  if (GetFileAttributesW(fileName.c_str()) == INVALID_FILE_ATTRIBUTES)
    throw EXmlError(FormatResString(kTextFileNotFound, {fileName}));
  TComPtr<IXMLDOMDocument> document = NewParser();
  VARIANT source;
  VariantInit(&source);
  V_VT(&source) = VT_BSTR;
  TBStr path(fileName);
  V_BSTR(&source) = path.Get();
  VARIANT_BOOL ok = VARIANT_FALSE;
  if (FAILED(document->load(source, &ok)) || ok == VARIANT_FALSE)
    throw EXmlError(NotWellFormed(*document.Get(), fileName, true));
  return CheckedRoot(*document.Get(), rootName);
}

std::wstring ElementMarkup(IXMLDOMNode& node) {
  TBStr xml;
  OleCheck(node.get_xml(xml.Put()));
  return xml.Str();
}
