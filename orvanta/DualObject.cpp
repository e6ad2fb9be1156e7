#include "orvanta/DualObject.h"

#include <map>

#include "agent/AgentIntf.h"
#include "orvanta/FileIo.h"

namespace {

// Dual interfaces are described twice in a type library: the dispatch view and the
// vtable view. ITypeInfo::Invoke on our vtable needs the vtable view.
TComRef<ITypeInfo> VtableView(TComRef<ITypeInfo> info) {
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) return {};
  const bool dispatchView = attributes->typekind == TKIND_DISPATCH;
  info->ReleaseTypeAttr(attributes);
  if (!dispatchView) return info;
  HREFTYPE vtable = 0;
  TComRef<ITypeInfo> vtableInfo;
  if (FAILED(info->GetRefTypeOfImplType(-1, &vtable)) ||
      FAILED(info->GetRefTypeInfo(vtable, vtableInfo.Put())))
    return {};
  return vtableInfo;
}

}  // namespace

TComRef<ITypeInfo> AgentTypeInfo(REFIID iid) {
  static TComRef<ITypeLib> library;
  static std::map<GUID, TComRef<ITypeInfo>, bool (*)(const GUID&, const GUID&)> cache(
      [](const GUID& a, const GUID& b) { return memcmp(&a, &b, sizeof(GUID)) < 0; });
  const auto found = cache.find(iid);
  if (found != cache.end()) return found->second;
  if (!library && FAILED(LoadTypeLibEx(ExePath().c_str(), REGKIND_NONE, library.Put())))
    return {};
  TComRef<ITypeInfo> info;
  if (FAILED(library->GetTypeInfoOfGuid(iid, info.Put()))) return {};
  info = VtableView(info);
  if (info) cache[iid] = info;
  return info;
}

HRESULT ReportFailure(REFIID iid, const wchar_t* source, HRESULT hr,
                      const std::wstring& description) {
  TComRef<ICreateErrorInfo> create;
  if (SUCCEEDED(CreateErrorInfo(create.Put()))) {
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(source));
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    TComRef<IErrorInfo> info = create.As<IErrorInfo>(IID_IErrorInfo);
    if (info) SetErrorInfo(0, info.Get());
  }
  return hr;
}
