// The base of every typed document view: a shared handle onto one DOM element. A view
// owns no copy of the data; each read goes to the DOM and each write changes it at
// once. Copies of a view are handles onto the same element, and the element (with its
// document) lives as long as any handle does.
#pragma once
#include <windows.h>
#include <msxml2.h>

#include <string>

#include "ComPtr.h"

class TXMLNode {
 public:
  TXMLNode() = default;
  explicit TXMLNode(TComPtr<IXMLDOMElement> element) : element_(std::move(element)) {}
  virtual ~TXMLNode() = default;

  bool Assigned() const { return static_cast<bool>(element_); }
  IXMLDOMElement* DOMElement() const { return element_.Get(); }
  std::wstring NodeName() const;
  // The element's markup, without an XML declaration.
  std::wstring XML() const;

 protected:
  IXMLDOMElement& Element() const;

  // The first child element named exactly `name`; appended as the last child when
  // there is none, so that reading a missing field adds it to the document.
  TComPtr<IXMLDOMElement> ChildElement(const wchar_t* name) const;

  // Field texts. An element field must hold nothing or a single text node.
  std::wstring GetText(const wchar_t* name) const;
  void SetText(const wchar_t* name, const std::wstring& text);
  std::wstring GetAttrText(const wchar_t* name) const;
  void SetAttrText(const wchar_t* name, const std::wstring& text);

  // Typed element fields.
  std::wstring GetString(const wchar_t* name) const { return GetText(name); }
  void SetString(const wchar_t* name, const std::wstring& v) { SetText(name, v); }
  int GetInt(const wchar_t* name) const;
  void SetInt(const wchar_t* name, int v);
  bool GetBool(const wchar_t* name) const;
  void SetBool(const wchar_t* name, bool v);
  double GetReal(const wchar_t* name) const;
  void SetReal(const wchar_t* name, double v);

  // Typed attribute fields.
  std::wstring GetAttrString(const wchar_t* name) const { return GetAttrText(name); }
  void SetAttrString(const wchar_t* name, const std::wstring& v) { SetAttrText(name, v); }
  int GetAttrInt(const wchar_t* name) const;
  void SetAttrInt(const wchar_t* name, int v);
  bool GetAttrBool(const wchar_t* name) const;
  void SetAttrBool(const wchar_t* name, bool v);

 private:
  TComPtr<IXMLDOMElement> element_;
};

// The text of an element that holds nothing (given an empty text node first) or a
// single text node; anything else raises "Element does not contain a single text node".
std::wstring SingleNodeText(IXMLDOMElement& element);
