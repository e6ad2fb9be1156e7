#include "orvanta/ErrorInfoChannel.h"

#include <windows.h>
#include <objidl.h>
#include <oleauto.h>
#include <initguid.h>  // defines EXTID_VtErrorInfo, which the interface header declares

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "agent/AgentIntf.h"
#include "orvanta/ComRef.h"
#include "toolkit/StaticUnknown.h"

namespace {

constexpr UINT32 kMagic = 0x49455456;
constexpr UINT32 kVersion = 1;
constexpr size_t kMaxChars = size_t{32} * 1024;  // longer descriptions are cut

void PutU32(std::vector<BYTE>& out, UINT32 v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<BYTE>(v >> shift));
}

void PutText(std::vector<BYTE>& out, const std::wstring& text) {
  const BYTE* p = reinterpret_cast<const BYTE*>(text.data());
  out.insert(out.end(), p, p + text.size() * sizeof(wchar_t));
}

std::wstring Field(HRESULT (STDMETHODCALLTYPE IErrorInfo::*get)(BSTR*), IErrorInfo& info) {
  BSTR b = nullptr;
  if (FAILED((info.*get)(&b)) || !b) return {};
  std::wstring text(b, std::min<size_t>(SysStringLen(b), kMaxChars));
  SysFreeString(b);
  return text;
}

// The encoded error info of the call whose reply is being built on this thread.
thread_local std::vector<BYTE> t_pending;

std::vector<BYTE> Encode(IErrorInfo& info) {
  GUID iid = GUID_NULL;
  info.GetGUID(&iid);
  const std::wstring source = Field(&IErrorInfo::GetSource, info);
  const std::wstring description = Field(&IErrorInfo::GetDescription, info);
  std::vector<BYTE> out;
  PutU32(out, kMagic);
  PutU32(out, kVersion);
  const BYTE* g = reinterpret_cast<const BYTE*>(&iid);
  out.insert(out.end(), g, g + sizeof iid);
  PutU32(out, static_cast<UINT32>(source.size()));
  PutU32(out, static_cast<UINT32>(description.size()));
  PutText(out, source);
  PutText(out, description);
  return out;
}

// Only the server side does anything: the agent never calls out through COM to
// anything that would send it error info.
class TServerErrorHook final : public TStaticUnknown<IChannelHook, IID_IChannelHook> {
 public:
  STDMETHODIMP_(void) ClientGetSize(REFGUID, REFIID, ULONG* size) override { *size = 0; }
  STDMETHODIMP_(void) ClientFillBuffer(REFGUID, REFIID, ULONG* size, void*) override {
    *size = 0;
  }
  STDMETHODIMP_(void) ClientNotify(REFGUID, REFIID, ULONG, void*, DWORD, HRESULT) override {}
  STDMETHODIMP_(void) ServerNotify(REFGUID, REFIID, ULONG, void*, DWORD) override {}

  // Called on the thread that ran the method, while its reply is being sized: the
  // method's error info, if it left one, is taken from the thread here.
  STDMETHODIMP_(void) ServerGetSize(REFGUID, REFIID, HRESULT, ULONG* size) override {
    t_pending.clear();
    TComRef<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) == S_OK && info) t_pending = Encode(*info.Get());
    *size = static_cast<ULONG>(t_pending.size());
  }
  STDMETHODIMP_(void) ServerFillBuffer(REFGUID, REFIID, ULONG* size, void* buffer,
                                       HRESULT) override {
    const size_t n = std::min<size_t>(*size, t_pending.size());
    if (n) std::memcpy(buffer, t_pending.data(), n);
    *size = static_cast<ULONG>(n);
    t_pending.clear();
  }
};

TServerErrorHook g_hook;

}  // namespace

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void InstallErrorInfoChannel() {
  static bool installed = false;
  if (installed || !RunningOnWine()) return;
  installed = SUCCEEDED(CoRegisterChannelHook(EXTID_VtErrorInfo, &g_hook));
}
