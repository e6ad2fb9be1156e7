// What "-RegServer" and "-UnregServer" write and remove: the two classes as a local
// server (LocalServer32, ProgIDs, AppID with its launch and access permissions), the embedded type library with its interfaces
// (which makes the type-library marshaler carry them between processes), and the
// agent's install folder under HKLM "SOFTWARE\Tavrinel\Veltrano" "Install Path".
#pragma once
#include <windows.h>

#include <string>

constexpr wchar_t kProductKey[] = L"SOFTWARE\\Tavrinel\\Veltrano";
constexpr wchar_t kInstallPathValue[] = L"Install Path";

// The agent's AppID, under which "-Install" names the service that hosts the classes.
constexpr wchar_t kAppIdText[] = L"{C1A5E0B4-7F3D-4E29-8B6A-2D94F0E31A57}";

// Who may start the agent through COM and who may call it, as the AppID's
// LaunchPermission and AccessPermission (COM_RIGHTS_EXECUTE with its local parts, and
// for launching the local activation right): the interactive user, SYSTEM and the
// administrators, on this machine only; nobody else. The owner and group are the
// administrators.
constexpr wchar_t kLaunchPermissionSddl[] = L"O:BAG:BAD:(A;;0xb;;;IU)(A;;0xb;;;SY)(A;;0xb;;;BA)";
constexpr wchar_t kAccessPermissionSddl[] = L"O:BAG:BAD:(A;;0x3;;;IU)(A;;0x3;;;SY)(A;;0x3;;;BA)";

// Both return S_OK or the first failure.
HRESULT RegisterServer();
HRESULT UnregisterServer();

// Sets (non-empty name) or removes (empty name) the AppID's LocalService value, so
// that COM starts the classes through that service.
HRESULT SetLocalService(const std::wstring& serviceName);
