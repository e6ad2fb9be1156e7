#include "profile/XMLNodeCollection.h"

#include "toolkit/ComValue.h"
#include "toolkit/Exception.h"
#include "toolkit/OleCheck.h"
#include "profile/XmlValue.h"

namespace {

bool IsItem(IXMLDOMNode& node, const std::wstring& tag) {
  DOMNodeType type = NODE_INVALID;
  node.get_nodeType(&type);
  if (type != NODE_ELEMENT) return false;
  TBStr name;
  node.get_nodeName(name.Put());
  return name.Str() == tag;
}

}  // namespace

TXMLNodeCollection::TXMLNodeCollection(TComPtr<IXMLDOMElement> element, std::wstring itemTag,
                                       std::shared_ptr<TXMLDocState> state,
                                       std::shared_ptr<TXMLItemIndex> index)
    : TXMLNode(std::move(element), std::move(state)),
      itemTag_(std::move(itemTag)),
      index_(index ? std::move(index) : std::make_shared<TXMLItemIndex>()) {}

const std::vector<TComPtr<IXMLDOMElement>>& TXMLNodeCollection::Items() const {
  if (index_->generation == State()->generation) return index_->items;
  index_->items.clear();
  TComPtr<IXMLDOMNode> child;
  Element().get_firstChild(child.Put());
  while (child) {
    if (IsItem(*child.Get(), itemTag_))
      index_->items.push_back(child.As<IXMLDOMElement>(IID_IXMLDOMElement));
    TComPtr<IXMLDOMNode> next;
    child->get_nextSibling(next.Put());
    child = std::move(next);
  }
  index_->generation = State()->generation;
  return index_->items;
}

void TXMLNodeCollection::ItemsChanged() { ++State()->generation; }

void TXMLNodeCollection::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit)
    throw EError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

int TXMLNodeCollection::Count() const { return static_cast<int>(Items().size()); }

TComPtr<IXMLDOMElement> TXMLNodeCollection::ItemElement(int index) const {
  CheckIndex(index, Count() - 1);
  return Items()[static_cast<size_t>(index)];
}

int TXMLNodeCollection::IndexOf(IXMLDOMElement* item) const {
  if (!item) return -1;
  // Views of one node may be different COM objects: compare their identities.
  TComPtr<IUnknown> wanted;
  item->QueryInterface(IID_IUnknown, wanted.PutVoid());
  const auto& items = Items();
  for (size_t i = 0; i < items.size(); ++i) {
    TComPtr<IUnknown> identity;
    items[i]->QueryInterface(IID_IUnknown, identity.PutVoid());
    if (identity == wanted) return static_cast<int>(i);
  }
  return -1;
}

TComPtr<IXMLDOMElement> TXMLNodeCollection::NewItem() const {
  TComPtr<IXMLDOMDocument> document;
  OleCheck(Element().get_ownerDocument(document.Put()));
  TComPtr<IXMLDOMElement> item;
  OleCheck(document->createElement(TBStr(itemTag_).Get(), item.Put()));
  return item;
}

TComPtr<IXMLDOMElement> TXMLNodeCollection::AddItem() {
  TComPtr<IXMLDOMElement> item = NewItem();
  TComPtr<IXMLDOMNode> added;
  OleCheck(Element().appendChild(item.Get(), added.Put()));
  ItemsChanged();
  return item;
}

TComPtr<IXMLDOMElement> TXMLNodeCollection::InsertItem(int index) {
  const int count = Count();
  CheckIndex(index, count);
  if (index == count) return AddItem();
  TComPtr<IXMLDOMElement> before = Items()[static_cast<size_t>(index)];
  TComPtr<IXMLDOMElement> item = NewItem();
  VARIANT reference;
  VariantInit(&reference);
  V_VT(&reference) = VT_UNKNOWN;
  V_UNKNOWN(&reference) = before.Get();
  TComPtr<IXMLDOMNode> inserted;
  OleCheck(Element().insertBefore(item.Get(), reference, inserted.Put()));
  ItemsChanged();
  return item;
}

void TXMLNodeCollection::Delete(int index) {
  TComPtr<IXMLDOMElement> item = ItemElement(index);
  TComPtr<IXMLDOMNode> removed;
  OleCheck(Element().removeChild(item.Get(), removed.Put()));
  ItemsChanged();
}

void TXMLNodeCollection::Clear() {
  const std::vector<TComPtr<IXMLDOMElement>> items = Items();
  for (const auto& item : items) {
    TComPtr<IXMLDOMNode> removed;
    OleCheck(Element().removeChild(item.Get(), removed.Put()));
  }
  ItemsChanged();
}

std::wstring TXMLStringCollection::Item(int index) const {
  return ElementText(*ItemElement(index).Get());
}

void TXMLStringCollection::Add(const std::wstring& value) {
  OleCheck(AddItem()->put_text(TBStr(value).Get()));
}

void TXMLStringCollection::Insert(int index, const std::wstring& value) {
  OleCheck(InsertItem(index)->put_text(TBStr(value).Get()));
}

int TXMLStringCollection::Remove(const std::wstring& value) {
  for (int i = 0; i < Count(); ++i) {
    if (Item(i) == value) {
      Delete(i);
      return i;
    }
  }
  return -1;
}

int TXMLIntegerCollection::Item(int index) const {
  return XmlToInt(ElementText(*ItemElement(index).Get()));
}

std::wstring TXMLIntegerCollection::ItemText(int index) const { return ElementText(*ItemElement(index).Get()); }

void TXMLIntegerCollection::AddText(const std::wstring& text) { OleCheck(AddItem()->put_text(TBStr(text).Get())); }

void TXMLIntegerCollection::Add(int value) {
  OleCheck(AddItem()->put_text(TBStr(IntToXml(value)).Get()));
}

void TXMLIntegerCollection::Insert(int index, int value) {
  OleCheck(InsertItem(index)->put_text(TBStr(IntToXml(value)).Get()));
}

int TXMLIntegerCollection::Remove(int value) {
  for (int i = 0; i < Count(); ++i) {
    if (Item(i) == value) {
      Delete(i);
      return i;
    }
  }
  return -1;
}
