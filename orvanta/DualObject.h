// The base of the agent's COM objects: reference counting that keeps the server
// process alive, IDispatch through the type library embedded in Orvanta.exe (so late-
// bound clients work and the type-library marshaler sees the same description), and
// ISupportErrorInfo with the step that turns a failure into a status plus IErrorInfo.
#pragma once
#include "orvanta/CallJournal.h"
#include <windows.h>
#include <oleauto.h>

#include <exception>
#include <string>

#include "orvanta/ComRef.h"
#include "orvanta/ErrorTexts.h"
#include "orvanta/ServerLifetime.h"

// The vtable type information of one of the agent's dual interfaces, loaded once from
// the executable's own type library; empty when the library cannot be read.
TComRef<ITypeInfo> AgentTypeInfo(REFIID iid);

// Makes `description` the thread's error info for a call on `iid` and returns `hr`.
HRESULT ReportFailure(REFIID iid, const wchar_t* source, HRESULT hr,
                      const std::wstring& description);

template <class Intf>
class TDualObject : public Intf, public ISupportErrorInfo {
 public:
  TDualObject(const TDualObject&) = delete;
  TDualObject& operator=(const TDualObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == iid_) {
      *ppv = static_cast<Intf*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
      *ppv = static_cast<ISupportErrorInfo*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&refs_); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG refs = InterlockedDecrement(&refs_);
    if (refs == 0) delete this;
    return refs;
  }

  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    TComRef<ITypeInfo> typeInfo = AgentTypeInfo(iid_);
    if (!typeInfo) return TYPE_E_CANTLOADLIBRARY;
    *info = typeInfo.Detach();
    return S_OK;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                             DISPID* ids) override {
    TComRef<ITypeInfo> typeInfo = AgentTypeInfo(iid_);
    if (!typeInfo) return TYPE_E_CANTLOADLIBRARY;
    return DispGetIDsOfNames(typeInfo.Get(), names, count, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argError) override {
    TComRef<ITypeInfo> typeInfo = AgentTypeInfo(iid_);
    if (!typeInfo) return TYPE_E_CANTLOADLIBRARY;
    return typeInfo->Invoke(static_cast<Intf*>(this), id, flags, params, result, exception,
                            argError);
  }

  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override {
    return riid == iid_ ? S_OK : S_FALSE;
  }

 protected:
  TDualObject(REFIID iid, const wchar_t* source) : iid_(iid), source_(source) { ServerLock(); }
  virtual ~TDualObject() { ServerUnlock(); }

  // Runs one operation: S_OK when it returns, else the failure's status with its
  // description as the thread's error info. No exception leaves a COM method.
  // `operation` names it in the call journal.
  template <class F>
  HRESULT Call(const char* operation, F&& body) {
    JournalCall(operation);
    SetErrorInfo(0, nullptr);  // a stale description must never travel with a reply
    try {
      body();
      return S_OK;
    } catch (const TAgentError& e) {
      return ReportFailure(iid_, source_, e.Result(), e.Description());
    } catch (const std::bad_alloc&) {
      return ReportFailure(iid_, source_, E_OUTOFMEMORY,
                           FaultText(TAgentFault::Internal, L"内存不足"));
    } catch (const std::exception& e) {
      return ReportFailure(iid_, source_, FaultResult(TAgentFault::Internal),
                           FaultText(TAgentFault::Internal, WidenWhat(e.what())));
    } catch (...) {
      // Whatever else is thrown, the caller gets a failure it can read, never a crash
      // of the agent or an exception across the COM boundary.
      return ReportFailure(iid_, source_, FaultResult(TAgentFault::Internal),
                           FaultText(TAgentFault::Internal, L"未知的异常"));
    }
  }

  // Output pointers are checked before any work so a bad call changes nothing.
  template <class T>
  static bool BadOut(T* out) { return out == nullptr; }

 private:
  static std::wstring WidenWhat(const char* what) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, what, -1, nullptr, 0);
    std::wstring text(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, what, -1, text.data(), n);
    return text;
  }

  LONG refs_ = 1;
  IID iid_;
  const wchar_t* source_;
};
