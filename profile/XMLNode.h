// The base of every typed document view: a shared handle onto one DOM element. A view
// owns no copy of the data; each read goes to the DOM and each write changes it at
// once. Copies of a view are handles onto the same element, and the element (with its
// document) lives as long as any handle does.
#pragma once
#include <windows.h>
#include <msxml2.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/ComPtr.h"
#include "toolkit/Exception.h"

// The items of one collection, in document order, as of a generation of the document.
struct TXMLItemIndex {
  uint64_t generation = 0;
  std::vector<TComPtr<IXMLDOMElement>> items;
};

// What every view of one document shares: a generation count that goes up on every
// change of an item list, and the item indexes of the root's collections (by field
// name), so that all views of a collection reuse one index until the lists change.
struct TXMLDocState {
  uint64_t generation = 1;
  std::map<std::wstring, std::shared_ptr<TXMLItemIndex>> rootIndexes;
};

class TXMLNode {
 public:
  TXMLNode() = default;
  // A view of the element; `state` is its document's shared state (a new one when
  // the view starts a document of its own).
  explicit TXMLNode(TComPtr<IXMLDOMElement> element, std::shared_ptr<TXMLDocState> state = nullptr);
  virtual ~TXMLNode() = default;

  bool Assigned() const { return static_cast<bool>(element_); }
  IXMLDOMElement* DOMElement() const { return element_.Get(); }
  std::wstring NodeName() const;
  // The element's markup, without an XML declaration.
  std::wstring XML() const;

 protected:
  IXMLDOMElement& Element() const;
  const std::shared_ptr<TXMLDocState>& State() const noexcept { return state_; }

  // The collection field `name` as a view of class T (a TXMLNodeCollection), created
  // empty when absent. Root views use SharedCollection, whose item index all views
  // of the document share.
  template <class T>
  T Collection(const wchar_t* name, const wchar_t* itemTag) const {
    return T(ChildElement(name), itemTag, state_);
  }
  template <class T>
  T SharedCollection(const wchar_t* name, const wchar_t* itemTag) const {
    auto& index = state_->rootIndexes[name];
    if (!index) index = std::make_shared<TXMLItemIndex>();
    return T(ChildElement(name), itemTag, state_, index);
  }
  // A complex child element as a view of class T.
  template <class T>
  T Child(const wchar_t* name) const {
    return T(ChildElement(name), state_);
  }

  // The first child element named exactly `name`; appended as the last child when
  // there is none, so that reading a missing field adds it to the document.
  TComPtr<IXMLDOMElement> ChildElement(const wchar_t* name) const;

  // Field texts. An element field must hold nothing but text (see ElementText).
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
  float GetSingle(const wchar_t* name) const { return static_cast<float>(GetReal(name)); }
  void SetSingle(const wchar_t* name, float v);

  // Typed attribute fields.
  std::wstring GetAttrString(const wchar_t* name) const { return GetAttrText(name); }
  void SetAttrString(const wchar_t* name, const std::wstring& v) { SetAttrText(name, v); }
  int GetAttrInt(const wchar_t* name) const;
  void SetAttrInt(const wchar_t* name, int v);
  bool GetAttrBool(const wchar_t* name) const;
  void SetAttrBool(const wchar_t* name, bool v);

 private:
  TComPtr<IXMLDOMElement> element_;
  std::shared_ptr<TXMLDocState> state_;
};

// The text of an element that holds nothing (given an empty text node first) or only
// text and CDATA sections, joined in document order; an element holding anything else
// (a child element, a comment) raises "Element does not contain a single text node".
std::wstring ElementText(IXMLDOMElement& element);

// The value `read` gives, or `unknown` when the stored text cannot be read as one. A
// page shows such a field as unknown (no choice, an empty address) and, writing each
// field only when the user changes it, keeps the stored text as it is.
template <class F, class T>
T ReadOr(F&& read, T unknown) {
  try {
    return read();
  } catch (const EError&) {
    return unknown;
  }
}
