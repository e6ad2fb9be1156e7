// A page stand-in that counts what the main window asks of it.
#pragma once
#include "shell/PageWrapper.h"

class TFakePage : public IPageWrapper {
 public:
  int refreshes = 0;
  int closes = 0;
  bool enabled = true;
  bool snapshot = false;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPageWrapper)) {
      *out = static_cast<IPageWrapper*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Owner-managed, as every page: references never destroy it.
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  bool STDMETHODCALLTYPE GetEnabled() override { return enabled; }
  void STDMETHODCALLTYPE SetEnabled(bool value) override { enabled = value; }
  bool STDMETHODCALLTYPE GetSnapshot() override { return snapshot; }
  void STDMETHODCALLTYPE SetSnapshot(bool value) override { snapshot = value; }
  void STDMETHODCALLTYPE Refresh() override { ++refreshes; }
  void STDMETHODCALLTYPE Close() override { ++closes; }
};
