// The agent's use of the platform's XML DOM (MSXML 6.0, else 3.0, through COM): parse
// a text with a readable failure, walk and edit elements by exact name, and serialise
// the root element without an XML declaration.
#pragma once
#include <windows.h>
#include <msxml2.h>

#include <optional>
#include <string>
#include <vector>

#include "orvanta/ComRef.h"

using TElement = TComRef<IXMLDOMElement>;

class TXmlDoc {
 public:
  // Raises TAgentError(MalformedDocument) with the parser's message when the text is
  // not well-formed XML with a root element.
  static TXmlDoc Parse(const std::wstring& text);
  // A new document holding only an empty root element of that name.
  static TXmlDoc Create(const std::wstring& rootName);

  IXMLDOMElement& Root() const { return *root_.Get(); }
  std::wstring RootName() const;
  // The markup of the root element and everything in it.
  std::wstring Markup() const;

 private:
  TComRef<IXMLDOMDocument> doc_;
  TElement root_;
};

std::wstring NodeName(IXMLDOMNode& node);

// The child elements of `parent` named `name` (all child elements when name is null),
// in document order.
std::vector<TElement> ChildElements(IXMLDOMElement& parent, const wchar_t* name = nullptr);
// The first child element of that name, or an empty reference.
TElement FirstChild(IXMLDOMElement& parent, const wchar_t* name);
// Appends a new child element, with the text when one is given.
TElement AppendElement(IXMLDOMElement& parent, const wchar_t* name,
                       const std::optional<std::wstring>& text = std::nullopt);

std::optional<std::wstring> Attribute(IXMLDOMElement& element, const wchar_t* name);
void SetAttribute(IXMLDOMElement& element, const wchar_t* name, const std::wstring& value);

// The text content of the element (its descendants' text joined).
std::wstring Text(IXMLDOMElement& element);
// The text of the first child element of that name; empty when there is none.
std::wstring ChildText(IXMLDOMElement& parent, const wchar_t* name);
// Replaces the text of the first child element of that name, appending it when missing.
void SetChildText(IXMLDOMElement& parent, const wchar_t* name, const std::wstring& text);
