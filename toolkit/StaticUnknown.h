// The IUnknown half of a COM object that is not reference counted: one the program
// owns for as long as COM may call it (a message filter, a channel hook, a class
// factory, an error handler for one parse) and hands out by pointer. QueryInterface
// answers IUnknown and the one interface the object implements; AddRef and Release
// count nothing.
#pragma once
#include <objbase.h>

template <class TInterface, const IID& kInterfaceId>
class TStaticUnknown : public TInterface {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == kInterfaceId) {
      *ppv = static_cast<TInterface*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
};
