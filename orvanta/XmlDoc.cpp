#include "orvanta/XmlDoc.h"

#include "orvanta/ErrorTexts.h"

namespace {

[[noreturn]] void DomFailed(const wchar_t* what) {
  throw TAgentError(TAgentFault::Internal, std::wstring(L"XML DOM: ") + what);
}

void Check(HRESULT hr, const wchar_t* what) {
  if (FAILED(hr)) DomFailed(what);
}

TComRef<IXMLDOMDocument> CreateByProgId(const wchar_t* progId) {
  CLSID clsid;
  TComRef<IXMLDOMDocument> document;
  if (SUCCEEDED(CLSIDFromProgID(progId, &clsid)))
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                     document.PutVoid());
  return document;
}

TComRef<IXMLDOMDocument> NewDocument() {
  TComRef<IXMLDOMDocument> document = CreateByProgId(L"Msxml2.DOMDocument.6.0");
  if (!document) document = CreateByProgId(L"Msxml2.DOMDocument.3.0");
  if (!document) DomFailed(L"no DOMDocument class");
  document->put_async(VARIANT_FALSE);
  document->put_validateOnParse(VARIANT_FALSE);
  document->put_resolveExternals(VARIANT_FALSE);
  // Keeping the white space keeps a document the agent edits close to the text it got.
  document->put_preserveWhiteSpace(VARIANT_TRUE);
  return document;
}

std::wstring TakeBstr(BSTR b) {
  std::wstring text = b ? std::wstring(b, SysStringLen(b)) : std::wstring();
  SysFreeString(b);
  return text;
}

std::wstring ParseFailure(IXMLDOMDocument& document) {
  TComRef<IXMLDOMParseError> error;
  std::wstring text;
  if (SUCCEEDED(document.get_parseError(error.Put())) && error) {
    BSTR reason = nullptr;
    error->get_reason(&reason);
    text = TakeBstr(reason);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
      text.pop_back();
    long line = 0, column = 0;
    error->get_line(&line);
    error->get_linepos(&column);
    if (line > 0)
      text += L" (" + std::to_wstring(line) + L":" + std::to_wstring(column) + L")";
  }
  return text.empty() ? std::wstring(L"parse error") : text;
}

class TBstrArg {
 public:
  explicit TBstrArg(const std::wstring& text)
      : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
    if (!b_) throw std::bad_alloc();
  }
  TBstrArg(const TBstrArg&) = delete;
  TBstrArg& operator=(const TBstrArg&) = delete;
  ~TBstrArg() { SysFreeString(b_); }
  operator BSTR() const { return b_; }

 private:
  BSTR b_;
};

}  // namespace

TXmlDoc TXmlDoc::Parse(const std::wstring& text) {
  TXmlDoc doc;
  doc.doc_ = NewDocument();
  VARIANT_BOOL ok = VARIANT_FALSE;
  if (FAILED(doc.doc_->loadXML(TBstrArg(text), &ok)) || ok != VARIANT_TRUE)
    throw TAgentError(TAgentFault::MalformedDocument, ParseFailure(*doc.doc_.Get()));
  if (FAILED(doc.doc_->get_documentElement(doc.root_.Put())) || !doc.root_)
    throw TAgentError(TAgentFault::MalformedDocument, L"no root element");
  return doc;
}

TXmlDoc TXmlDoc::Create(const std::wstring& rootName) {
  TXmlDoc doc;
  doc.doc_ = NewDocument();
  Check(doc.doc_->createElement(TBstrArg(rootName), doc.root_.Put()), L"createElement");
  TComRef<IXMLDOMNode> added;
  Check(doc.doc_->appendChild(doc.root_.Get(), added.Put()), L"appendChild");
  return doc;
}

std::wstring TXmlDoc::RootName() const { return NodeName(*root_.Get()); }

std::wstring TXmlDoc::Markup() const {
  BSTR xml = nullptr;
  Check(root_->get_xml(&xml), L"xml");
  return TakeBstr(xml);
}

std::wstring NodeName(IXMLDOMNode& node) {
  BSTR name = nullptr;
  Check(node.get_nodeName(&name), L"nodeName");
  return TakeBstr(name);
}

std::vector<TElement> ChildElements(IXMLDOMElement& parent, const wchar_t* name) {
  std::vector<TElement> out;
  TComRef<IXMLDOMNode> child;
  parent.get_firstChild(child.Put());
  while (child) {
    DOMNodeType type = NODE_INVALID;
    child->get_nodeType(&type);
    if (type == NODE_ELEMENT && (!name || NodeName(*child.Get()) == name))
      out.push_back(child.As<IXMLDOMElement>(IID_IXMLDOMElement));
    TComRef<IXMLDOMNode> next;
    child->get_nextSibling(next.Put());
    child = next;
  }
  return out;
}

TElement FirstChild(IXMLDOMElement& parent, const wchar_t* name) {
  TComRef<IXMLDOMNode> child;
  parent.get_firstChild(child.Put());
  while (child) {
    DOMNodeType type = NODE_INVALID;
    child->get_nodeType(&type);
    if (type == NODE_ELEMENT && NodeName(*child.Get()) == name)
      return child.As<IXMLDOMElement>(IID_IXMLDOMElement);
    TComRef<IXMLDOMNode> next;
    child->get_nextSibling(next.Put());
    child = next;
  }
  return {};
}

TElement AppendElement(IXMLDOMElement& parent, const wchar_t* name,
                       const std::optional<std::wstring>& text) {
  TComRef<IXMLDOMDocument> document;
  Check(parent.get_ownerDocument(document.Put()), L"ownerDocument");
  TElement element;
  Check(document->createElement(TBstrArg(name), element.Put()), L"createElement");
  if (text) Check(element->put_text(TBstrArg(*text)), L"text");
  TComRef<IXMLDOMNode> added;
  Check(parent.appendChild(element.Get(), added.Put()), L"appendChild");
  return element;
}

std::optional<std::wstring> Attribute(IXMLDOMElement& element, const wchar_t* name) {
  VARIANT value;
  VariantInit(&value);
  if (element.getAttribute(TBstrArg(name), &value) != S_OK || value.vt != VT_BSTR) {
    VariantClear(&value);
    return std::nullopt;
  }
  std::wstring text(value.bstrVal, SysStringLen(value.bstrVal));
  VariantClear(&value);
  return text;
}

void SetAttribute(IXMLDOMElement& element, const wchar_t* name, const std::wstring& value) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  const HRESULT hr = element.setAttribute(TBstrArg(name), v);
  VariantClear(&v);
  Check(hr, L"setAttribute");
}

std::wstring Text(IXMLDOMElement& element) {
  BSTR text = nullptr;
  Check(element.get_text(&text), L"text");
  return TakeBstr(text);
}

std::wstring ChildText(IXMLDOMElement& parent, const wchar_t* name) {
  TElement child = FirstChild(parent, name);
  return child ? Text(*child.Get()) : std::wstring();
}

void SetChildText(IXMLDOMElement& parent, const wchar_t* name, const std::wstring& text) {
  TElement child = FirstChild(parent, name);
  if (!child) {
    AppendElement(parent, name, text);
    return;
  }
  Check(child->put_text(TBstrArg(text)), L"text");
}
