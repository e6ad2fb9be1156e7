// What "-RegServer" and "-UnregServer" write and remove: the two classes as a local
// server (LocalServer32, ProgIDs, AppID), the embedded type library with its interfaces
// (which makes the type-library marshaler carry them between processes), and the
// agent's install folder under HKLM "SOFTWARE\Tavrinel\Veltrano" "Install Path".
#pragma once
#include <windows.h>

#include <string>

constexpr wchar_t kProductKey[] = L"SOFTWARE\\Tavrinel\\Veltrano";
constexpr wchar_t kInstallPathValue[] = L"Install Path";

// The agent's AppID, under which "-Install" names the service that hosts the classes.
constexpr wchar_t kAppIdText[] = L"{C1A5E0B4-7F3D-4E29-8B6A-2D94F0E31A57}";

// Both return S_OK or the first failure.
HRESULT RegisterServer();
HRESULT UnregisterServer();

// Sets (non-empty name) or removes (empty name) the AppID's LocalService value, so
// that COM starts the classes through that service.
HRESULT SetLocalService(const std::wstring& serviceName);
