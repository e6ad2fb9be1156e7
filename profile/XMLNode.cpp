#include "profile/XMLNode.h"

#include "toolkit/ComValue.h"
#include "toolkit/Exception.h"
#include "toolkit/OleCheck.h"
#include "profile/XmlDom.h"
#include "profile/XmlValue.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

namespace {

std::wstring NameOf(IXMLDOMNode& node) {
  TBStr name;
  OleCheck(node.get_nodeName(name.Put()));
  return name.Str();
}

TComPtr<IXMLDOMElement> FindChildElement(IXMLDOMElement& parent, const wchar_t* name) {
  TComPtr<IXMLDOMNode> child;
  parent.get_firstChild(child.Put());
  while (child) {
    DOMNodeType type = NODE_INVALID;
    child->get_nodeType(&type);
    if (type == NODE_ELEMENT && NameOf(*child.Get()) == name)
      return child.As<IXMLDOMElement>(IID_IXMLDOMElement);
    TComPtr<IXMLDOMNode> next;
    child->get_nextSibling(next.Put());
    child = next;
  }
  return {};
}

TComPtr<IXMLDOMDocument> OwnerDocument(IXMLDOMNode& node) {
  TComPtr<IXMLDOMDocument> document;
  OleCheck(node.get_ownerDocument(document.Put()));
  return document;
}

}  // namespace

std::wstring ElementText(IXMLDOMElement& element) {
  TComPtr<IXMLDOMNode> child;
  element.get_firstChild(child.Put());
  if (!child) {
    TComPtr<IXMLDOMText> empty;
    OleCheck(OwnerDocument(element)->createTextNode(TBStr(L"").Get(), empty.Put()));
    TComPtr<IXMLDOMNode> added;
    OleCheck(element.appendChild(empty.Get(), added.Put()));
    return {};
  }
  // Text may come as plain text, as CDATA sections, or as both side by side; it is
  // one text all the same. A child element, a comment or any other node is not text.
  std::wstring text;
  while (child) {
    DOMNodeType type = NODE_INVALID;
    child->get_nodeType(&type);
    if (type != NODE_TEXT && type != NODE_CDATA_SECTION)
      throw EError(FormatResString(kTextNotSingleText, {}));
    TVariant value;
    OleCheck(child->get_nodeValue(value.Put()));
    text += VariantString(value.Get());
    TComPtr<IXMLDOMNode> next;
    child->get_nextSibling(next.Put());
    child = next;
  }
  return text;
}

TXMLNode::TXMLNode(TComPtr<IXMLDOMElement> element, std::shared_ptr<TXMLDocState> state)
    : element_(std::move(element)),
      state_(state ? std::move(state) : std::make_shared<TXMLDocState>()) {}

IXMLDOMElement& TXMLNode::Element() const {
  if (!element_) throw EError(L"The document element is not assigned");
  return *element_.Get();
}

std::wstring TXMLNode::NodeName() const { return NameOf(Element()); }

std::wstring TXMLNode::XML() const { return ElementMarkup(Element()); }

TComPtr<IXMLDOMElement> TXMLNode::ChildElement(const wchar_t* name) const {
  if (TComPtr<IXMLDOMElement> found = FindChildElement(Element(), name)) return found;
  TComPtr<IXMLDOMElement> created;
  OleCheck(OwnerDocument(Element())->createElement(TBStr(name).Get(), created.Put()));
  TComPtr<IXMLDOMNode> added;
  OleCheck(Element().appendChild(created.Get(), added.Put()));
  // The new element may be an item of a collection that this element is.
  ++state_->generation;
  return created;
}

std::wstring TXMLNode::GetText(const wchar_t* name) const {
  return ElementText(*ChildElement(name).Get());
}

void TXMLNode::SetText(const wchar_t* name, const std::wstring& text) {
  OleCheck(ChildElement(name)->put_text(TBStr(text).Get()));
}

std::wstring TXMLNode::GetAttrText(const wchar_t* name) const {
  TVariant value;
  const TBStr attribute(name);
  OleCheck(Element().getAttribute(attribute.Get(), value.Put()));
  if (V_VT(&value.Get()) == VT_BSTR) return VariantString(value.Get());
  // Absent: reading creates it, empty.
  const_cast<TXMLNode*>(this)->SetAttrText(name, L"");
  return {};
}

void TXMLNode::SetAttrText(const wchar_t* name, const std::wstring& text) {
  VARIANT value;
  VariantInit(&value);
  TBStr data(text);
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = data.Get();
  OleCheck(Element().setAttribute(TBStr(name).Get(), value));
}

namespace {

// A typed value read from the field; a text that is no such value is reported with
// the field's name, so the user learns which part of the document is damaged.
template <class F>
auto ReadField(const wchar_t* name, F read) {
  try {
    return read();
  } catch (const EError& e) {
    throw EError(FormatResString(kTextFieldUnreadable, {name, e.Message()}));
  }
}

}  // namespace

int TXMLNode::GetInt(const wchar_t* name) const {
  return ReadField(name, [&] { return XmlToInt(GetText(name)); });
}
void TXMLNode::SetInt(const wchar_t* name, int v) { SetText(name, IntToXml(v)); }
bool TXMLNode::GetBool(const wchar_t* name) const {
  return ReadField(name, [&] { return XmlToBool(GetText(name)); });
}
void TXMLNode::SetBool(const wchar_t* name, bool v) { SetText(name, BoolToXml(v)); }
double TXMLNode::GetReal(const wchar_t* name) const {
  return ReadField(name, [&] { return XmlToReal(GetText(name)); });
}
void TXMLNode::SetReal(const wchar_t* name, double v) { SetText(name, RealToXml(v)); }
void TXMLNode::SetSingle(const wchar_t* name, float v) { SetText(name, RealToXml(v, 7)); }
int TXMLNode::GetAttrInt(const wchar_t* name) const {
  return ReadField(name, [&] { return XmlToInt(GetAttrText(name)); });
}
void TXMLNode::SetAttrInt(const wchar_t* name, int v) { SetAttrText(name, IntToXml(v)); }
bool TXMLNode::GetAttrBool(const wchar_t* name) const {
  return ReadField(name, [&] { return XmlToBool(GetAttrText(name)); });
}
void TXMLNode::SetAttrBool(const wchar_t* name, bool v) { SetAttrText(name, BoolToXml(v)); }
