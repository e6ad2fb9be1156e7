// The agent as the Windows service "Veltrano". "-Install" creates the service (start
// with the system, running "Orvanta.exe -Service"), registers the COM classes and names
// the service as their host, so COM starts the service instead of a separate process.
// "-Uninstall" stops and deletes the service and lets COM start the executable again.
#pragma once
#include <windows.h>

constexpr wchar_t kServiceName[] = L"Veltrano";

// Both return a process exit code: 0 on success.
int InstallService();
int UninstallService();

// The service's entry when the service manager starts "Orvanta.exe -Service": serves
// the COM classes until the service is stopped. Returns the process exit code.
int RunAsService();
