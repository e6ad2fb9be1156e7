// The IUnknown half of a COM object that is not reference counted: one the program
// owns for as long as COM may call it (a message filter, a channel hook, a class
// factory, an error handler for one parse, a control that offers its background) and
// hands out by pointer. QueryInterface answers IUnknown (through the first interface,
// so that every interface gives the same identity) and each interface the object
// implements; AddRef and Release count nothing.
#pragma once
#include <objbase.h>

// One interface an object answers for, with its id.
template <class TInterface, const IID& kInterfaceId>
struct TComInterface {
  using Interface = TInterface;
  static const IID& Id() noexcept { return kInterfaceId; }
};

template <class TFirst, class... TMore>
class TStaticUnknownOf : public TFirst::Interface, public TMore::Interface... {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = riid == IID_IUnknown ? static_cast<typename TFirst::Interface*>(this) : nullptr;
    if (!*ppv) (Offer<TFirst>(riid, ppv) || ... || Offer<TMore>(riid, ppv));
    return *ppv ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

 private:
  template <class TEntry>
  bool Offer(REFIID riid, void** ppv) {
    if (riid != TEntry::Id()) return false;
    *ppv = static_cast<typename TEntry::Interface*>(this);
    return true;
  }
};

// The common case: one interface.
template <class TInterface, const IID& kInterfaceId>
using TStaticUnknown = TStaticUnknownOf<TComInterface<TInterface, kInterfaceId>>;
