// The platform XML DOM (MSXML through COM): creating documents, loading them from a
// UTF-16 text or a file, and serialising an element's markup.
#pragma once
#include <windows.h>
#include <msxml2.h>

#include <string>

#include "toolkit/ComPtr.h"
#include "toolkit/Exception.h"

// A document that could not be loaded: malformed text, a missing file, a wrong root.
class EXmlError : public EError {
 public:
  using EError::EError;
};

// A new, empty DOM document: MSXML 6.0 where installed, else 3.0.
TComPtr<IXMLDOMDocument> NewDomDocument();

// Parses the text into a new document and returns its document element, which must be
// named rootName. Raises EXmlError otherwise.
TComPtr<IXMLDOMElement> LoadXmlText(const std::wstring& text, const wchar_t* rootName);

// The same for a file on disk.
TComPtr<IXMLDOMElement> LoadXmlFile(const std::wstring& fileName, const wchar_t* rootName);

// The markup of the element and everything inside it, without an XML declaration.
std::wstring ElementMarkup(IXMLDOMNode& node);
