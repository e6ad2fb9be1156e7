// The base of every collection view: an element whose items are its child elements
// carrying the item tag, in document order, numbered from 0. Item look-ups go
// through an index of the items that every view of the same document shares and
// that is rebuilt only after the document's item lists changed, so reading item r
// costs the same in a collection of ten thousand items as in one of ten.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "profile/XMLNode.h"

class TXMLNodeCollection : public TXMLNode {
 public:
  // `index` is the item index to use, shared with other views of the collection;
  // a private one when null.
  TXMLNodeCollection(TComPtr<IXMLDOMElement> element, std::wstring itemTag,
                     std::shared_ptr<TXMLDocState> state,
                     std::shared_ptr<TXMLItemIndex> index = nullptr);

  const std::wstring& ItemTag() const noexcept { return itemTag_; }
  int Count() const;
  // Removes item `index` and everything in it; the items after it move up by one.
  void Delete(int index);
  // Removes every item, one by one from the first.
  void Clear();

 protected:
  // The item's element; raises EError for an index outside 0 to Count() - 1.
  TComPtr<IXMLDOMElement> ItemElement(int index) const;
  // A new, empty item element appended as the collection's last child.
  TComPtr<IXMLDOMElement> AddItem();
  // A new, empty item element placed before item `index`; at Count() it is appended.
  TComPtr<IXMLDOMElement> InsertItem(int index);
  // The position of the item element among the items, -1 when it is not one.
  int IndexOf(IXMLDOMElement* item) const;

 private:
  const std::vector<TComPtr<IXMLDOMElement>>& Items() const;
  void ItemsChanged();
  void CheckIndex(int index, int limit) const;
  TComPtr<IXMLDOMElement> NewItem() const;

  std::wstring itemTag_;
  std::shared_ptr<TXMLItemIndex> index_;
};

// The collection views of a scalar type: items whose text is the value.
class TXMLStringCollection : public TXMLNodeCollection {
 public:
  using TXMLNodeCollection::TXMLNodeCollection;
  std::wstring Item(int index) const;
  void Add(const std::wstring& value);
  void Insert(int index, const std::wstring& value);
  // Removes the first item holding the value; its former index, or -1.
  int Remove(const std::wstring& value);
};

class TXMLIntegerCollection : public TXMLNodeCollection {
 public:
  using TXMLNodeCollection::TXMLNodeCollection;
  // Raises EError for an item whose text is no integer.
  int Item(int index) const;
  // The item's text as stored, readable or not; and an item added with such a text,
  // so that a page can keep an item it cannot read.
  std::wstring ItemText(int index) const;
  void AddText(const std::wstring& text);
  void Add(int value);
  void Insert(int index, int value);
  int Remove(int value);
};

// A collection whose items are record views of class T (a TXMLNode with a
// (element, state) constructor).
template <class T>
class TXMLRecordCollection : public TXMLNodeCollection {
 public:
  using TXMLNodeCollection::TXMLNodeCollection;
  T Item(int index) const { return T(ItemElement(index), State()); }
  T Add() { return T(AddItem(), State()); }
  T Insert(int index) { return T(InsertItem(index), State()); }
  // Removes the item; its former index, or -1 when it is not an item here.
  int Remove(const T& item) {
    const int index = IndexOf(item.DOMElement());
    if (index >= 0) Delete(index);
    return index;
  }
};
