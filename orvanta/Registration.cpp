#include "orvanta/Registration.h"

#include <oleauto.h>
#include <sddl.h>

#include "agent/AgentIntf.h"
#include "orvanta/ComRef.h"
#include "orvanta/FileIo.h"
#include "toolkit/Handle.h"

namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";

struct TClassInfo {
  const CLSID* clsid;
  const wchar_t* name;
  const wchar_t* progId;
};

const TClassInfo kClassInfo[] = {
    {&CLSID_CoSvcInvoker, L"Orvanta service invoker", L"Orvanta.SvcInvoker"},
    {&CLSID_CoUserManager, L"Orvanta user manager", L"Orvanta.UserManager"},
};

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

HRESULT SetString(HKEY root, const std::wstring& key, const wchar_t* name,
                  const std::wstring& value) {
  TRegKeyHandle handle;
  LSTATUS status = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                   handle.Receive(), nullptr);
  if (status == ERROR_SUCCESS)
    status = RegSetValueExW(handle.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  return HRESULT_FROM_WIN32(status);
}

// A security descriptor given in SDDL, stored self-relative as COM reads it.
HRESULT SetSecurity(const std::wstring& key, const wchar_t* name, const wchar_t* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ULONG size = 0;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, &size))
    return HRESULT_FROM_WIN32(GetLastError());
  TRegKeyHandle handle;
  LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                   handle.Receive(), nullptr);
  if (status == ERROR_SUCCESS)
    status = RegSetValueExW(handle.Get(), name, 0, REG_BINARY, static_cast<const BYTE*>(descriptor), size);
  LocalFree(descriptor);
  return HRESULT_FROM_WIN32(status);
}

void DeleteTree(HKEY root, const std::wstring& key) { RegDeleteTreeW(root, key.c_str()); }

// Removes the key when nothing is left in it.
void DeleteIfEmpty(HKEY root, const std::wstring& key) { RegDeleteKeyW(root, key.c_str()); }

HRESULT RegisterClass(const TClassInfo& c, const std::wstring& exe) {
  const std::wstring clsid = GuidText(*c.clsid);
  const std::wstring key = kClasses + std::wstring(L"CLSID\\") + clsid;
  const std::wstring versioned = std::wstring(c.progId) + L".1";
  HRESULT hr = S_OK;
  auto set = [&](const std::wstring& k, const wchar_t* name, const std::wstring& value) {
    if (SUCCEEDED(hr)) hr = SetString(HKEY_LOCAL_MACHINE, k, name, value);
  };
  set(key, nullptr, c.name);
  set(key, L"AppID", kAppIdText);
  // Quoted, because COM appends " -Embedding" and the folder may hold blanks.
  set(key + L"\\LocalServer32", nullptr, L"\"" + exe + L"\"");
  set(key + L"\\ProgID", nullptr, versioned);
  set(key + L"\\VersionIndependentProgID", nullptr, c.progId);
  set(key + L"\\TypeLib", nullptr, GuidText(LIBID_OrvantaLib));
  set(kClasses + versioned, nullptr, c.name);
  set(kClasses + versioned + L"\\CLSID", nullptr, clsid);
  set(kClasses + std::wstring(c.progId), nullptr, c.name);
  set(kClasses + std::wstring(c.progId) + L"\\CLSID", nullptr, clsid);
  set(kClasses + std::wstring(c.progId) + L"\\CurVer", nullptr, versioned);
  return hr;
}

}  // namespace

HRESULT RegisterServer() {
  const std::wstring exe = ExePath();
  TComRef<ITypeLib> library;
  HRESULT hr = LoadTypeLibEx(exe.c_str(), REGKIND_REGISTER, library.Put());
  for (const TClassInfo& c : kClassInfo)
    if (SUCCEEDED(hr)) hr = RegisterClass(c, exe);
  const std::wstring appId = kClasses + std::wstring(L"AppID\\") + kAppIdText;
  if (SUCCEEDED(hr)) hr = SetString(HKEY_LOCAL_MACHINE, appId, nullptr, L"Orvanta");
  if (SUCCEEDED(hr)) hr = SetSecurity(appId, L"LaunchPermission", kLaunchPermissionSddl);
  if (SUCCEEDED(hr)) hr = SetSecurity(appId, L"AccessPermission", kAccessPermissionSddl);
  if (SUCCEEDED(hr)) hr = SetString(HKEY_LOCAL_MACHINE, kProductKey, kInstallPathValue, ExeFolder());
  return hr;
}

HRESULT UnregisterServer() {
  for (const TClassInfo& c : kClassInfo) {
    DeleteTree(HKEY_LOCAL_MACHINE, kClasses + std::wstring(L"CLSID\\") + GuidText(*c.clsid));
    DeleteTree(HKEY_LOCAL_MACHINE, kClasses + std::wstring(c.progId));
    DeleteTree(HKEY_LOCAL_MACHINE, kClasses + std::wstring(c.progId) + L".1");
  }
  DeleteTree(HKEY_LOCAL_MACHINE, kClasses + std::wstring(L"AppID\\") + kAppIdText);
  const HRESULT hr = UnRegisterTypeLib(LIBID_OrvantaLib, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kProductKey, kInstallPathValue);
  DeleteIfEmpty(HKEY_LOCAL_MACHINE, kProductKey);
  DeleteIfEmpty(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tavrinel");
  // A library that was never registered is not a failure of unregistering.
  return hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_CANTLOADLIBRARY ? S_OK : hr;
}

HRESULT SetLocalService(const std::wstring& serviceName) {
  const std::wstring key = kClasses + std::wstring(L"AppID\\") + kAppIdText;
  if (!serviceName.empty()) return SetString(HKEY_LOCAL_MACHINE, key, L"LocalService", serviceName);
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"LocalService");
  return S_OK;
}
