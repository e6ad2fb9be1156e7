#include "agent/ErrorInfoHook.h"

#include <windows.h>
#include <objidl.h>
#include <oleauto.h>
#include <initguid.h>  // defines EXTID_VtErrorInfo, which the interface header declares

#include <cstring>
#include <optional>
#include <string>

#include "agent/AgentIntf.h"
#include "toolkit/StaticUnknown.h"

namespace {

constexpr UINT32 kMagic = 0x49455456;
constexpr UINT32 kVersion = 1;
constexpr size_t kHeaderSize = 4 + 4 + sizeof(GUID) + 4 + 4;

struct TWireError {
  GUID iid{};
  std::wstring source;
  std::wstring description;
};

UINT32 U32At(const BYTE* p) {
  UINT32 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Reads the extension, checking every length against the bytes actually received.
std::optional<TWireError> Decode(const BYTE* data, ULONG size) {
  if (!data || size < kHeaderSize) return std::nullopt;
  if (U32At(data) != kMagic || U32At(data + 4) != kVersion) return std::nullopt;
  TWireError error;
  std::memcpy(&error.iid, data + 8, sizeof(GUID));
  const UINT64 sourceChars = U32At(data + 8 + sizeof(GUID));
  const UINT64 descriptionChars = U32At(data + 12 + sizeof(GUID));
  if (kHeaderSize + (sourceChars + descriptionChars) * sizeof(wchar_t) > size) return std::nullopt;
  const BYTE* text = data + kHeaderSize;
  error.source.resize(static_cast<size_t>(sourceChars));
  std::memcpy(error.source.data(), text, error.source.size() * sizeof(wchar_t));
  text += error.source.size() * sizeof(wchar_t);
  error.description.resize(static_cast<size_t>(descriptionChars));
  std::memcpy(error.description.data(), text, error.description.size() * sizeof(wchar_t));
  return error;
}

void SetThreadErrorInfo(const TWireError& error) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create))) return;
  create->SetGUID(error.iid);
  create->SetSource(const_cast<LPOLESTR>(error.source.c_str()));
  create->SetDescription(const_cast<LPOLESTR>(error.description.c_str()));
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

bool IsAgentInterface(REFIID riid) { return riid == IID_IUserManager || riid == IID_ISvcInvoker; }

// Only the client side does anything: the program serves no COM calls.
class TClientErrorHook final : public TStaticUnknown<IChannelHook, IID_IChannelHook> {
 public:
  // Called on the calling thread as a call to the agent starts: a description left
  // from an earlier call must not be taken for this call's, as on Windows where each
  // call replaces the thread's error info.
  STDMETHODIMP_(void) ClientGetSize(REFGUID, REFIID riid, ULONG* size) override {
    if (IsAgentInterface(riid)) SetErrorInfo(0, nullptr);
    *size = 0;
  }
  STDMETHODIMP_(void) ClientFillBuffer(REFGUID, REFIID, ULONG* size, void*) override {
    *size = 0;
  }
  STDMETHODIMP_(void) ClientNotify(REFGUID, REFIID, ULONG size, void* data, DWORD dataRep,
                                   HRESULT) override {
    // Integers of the extension are little-endian as written; a peer of another byte
    // order (never the local agent) is ignored.
    if ((dataRep & 0xF0) != (NDR_LOCAL_DATA_REPRESENTATION & 0xF0)) return;
    if (std::optional<TWireError> error = Decode(static_cast<const BYTE*>(data), size))
      SetThreadErrorInfo(*error);
  }

  STDMETHODIMP_(void) ServerNotify(REFGUID, REFIID, ULONG, void*, DWORD) override {}
  STDMETHODIMP_(void) ServerGetSize(REFGUID, REFIID, HRESULT, ULONG* size) override { *size = 0; }
  STDMETHODIMP_(void) ServerFillBuffer(REFGUID, REFIID, ULONG* size, void*, HRESULT) override {
    *size = 0;
  }
};

TClientErrorHook g_hook;

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

void InstallErrorInfoHook() {
  static bool installed = false;
  if (installed || !RunningOnWine()) return;
  installed = SUCCEEDED(CoRegisterChannelHook(EXTID_VtErrorInfo, &g_hook));
}
