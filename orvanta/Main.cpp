// Entry of Orvanta.exe, the background agent: a local COM server for the user
// configuration program, with the switches that register, install and reset it.
//
//   (none)        run as the background agent until asked to quit
//   -Embedding    started by COM: serve, end when no client is left
//   -RegServer    register the COM classes, the type library and "Install Path";
//                 prepare the machine's data folder for every user
//   -UnregServer  remove all of that (the data stays)
//   -Install      install the Windows service "Veltrano" (registers as well); no Run value
//   -Uninstall    stop and remove the service
//   -AutoRun      start with every sign-in through the Run value; no service
//   -NoAutoRun    neither the Run value nor the service
//   -Service      the service manager's start of the service
//   -Reset        rewrite the data folder with the demo data, empty the outbox; on
//                 failure, the reason in one line on the standard error
//   -Quit         end the running agents of this session
//   -Restart      make the running agent hand over to a fresh process of itself
//   -Publish <account key> zone=<zone> key=<name>:hmac-sha256:<base64>
//                 publish the account's domain to its zone on the name server;
//   -NoPublish <account key>, -AddressService <url>: see PublishSwitches.h
// Switches are matched without regard to case and may start with '-' or '/'.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "orvanta/AgentObjects.h"
#include "orvanta/AgentStore.h"
#include "orvanta/AgentPresence.h"
#include "orvanta/ComServer.h"
#include "orvanta/DataFolder.h"
#include "orvanta/DemoData.h"
#include "orvanta/ErrorInfoChannel.h"
#include "orvanta/ErrorTexts.h"
#include "orvanta/FileIo.h"
#include "orvanta/Outbox.h"
#include "orvanta/PublishSettings.h"
#include "orvanta/PublishSwitches.h"
#include "orvanta/Registration.h"
#include "orvanta/ServiceHost.h"
#include "orvanta/StartUp.h"
#include "orvanta/StoreLock.h"

namespace {

constexpr DWORD kQuitWaitMs = 10000;

class TComApartment {
 public:
  TComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;
  ~TComApartment() { if (SUCCEEDED(hr_)) CoUninitialize(); }
  bool Ok() const { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

std::vector<std::wstring> ArgumentsOf(int argc, wchar_t** argv) {
  std::vector<std::wstring> arguments;
  for (int i = 2; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

std::wstring SwitchOf(int argc, wchar_t** argv) {
  if (argc < 2 || !argv[1][0]) return {};
  std::wstring s = argv[1];
  if (s[0] == L'-' || s[0] == L'/') s.erase(0, 1);
  CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

int Serve(TServeMode mode) {
  TComApartment com;
  if (!com.Ok()) return 1;
  InstallErrorInfoChannel();
  try {
    TheAgentService().Start();  // seeds the data folder on first start
  } catch (...) {
    // A damaged store is reported to each caller, with the file it concerns.
  }
  return RunComServer(mode, nullptr);
}

// Registers, and prepares the data folder every user's agent may write, with the store
// of an earlier version taken over: what the administrator's switches do first.
int Register() {
  if (FAILED(RegisterServer())) return 1;
  try {
    const std::wstring folder = AgentDataFolder();
    ShareDataFolder(folder);
    AdoptLegacyStore(LegacyDataFolder(), folder);
    return 0;
  } catch (...) {
    return 1;
  }
}

// A switch that fails says why in one line on its standard error, beside the exit
// code, for the script or test that ran it (and redirected the error: a program of
// the Windows subsystem has none of its own otherwise).
void SayWhy(const std::wstring& option, std::wstring reason) {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (!error || error == INVALID_HANDLE_VALUE) return;
  for (wchar_t& c : reason)
    if (c == L'\r' || c == L'\n') c = L' ';
  const std::wstring line = L"Orvanta.exe " + option + L": " + reason + L"\n";
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(error, &mode)) {
    WriteConsoleW(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  } else {
    const std::string bytes = ToUtf8(line);
    WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
}

int Reset() {
  TComApartment com;  // the store writes its files through the XML DOM
  if (!com.Ok()) {
    SayWhy(L"-Reset", FaultText(TAgentFault::Internal, L"CoInitializeEx"));
    return 1;
  }
  try {
    const std::wstring folder = AgentDataFolder();
    // One hold for the store and its outbox, so an agent sees the whole reset or none.
    const TStoreLock lock(folder);
    TAgentStore::WriteAll(folder, DemoData(LocalToday()));
    ClearOutbox(folder + store_files::kOutbox);
    // The demo data publishes nothing: what an administrator configured goes with it.
    DeleteFileW((folder + publish_files::kSettings).c_str());
    DeleteFileW((folder + publish_files::kPublished).c_str());
    return 0;
  } catch (const TAgentError& e) {
    SayWhy(L"-Reset", e.Description());
  } catch (const std::exception& e) {
    SayWhy(L"-Reset", FaultText(TAgentFault::Internal, FromUtf8(e.what()).value_or(L"")));
  } catch (...) {
    SayWhy(L"-Reset", FaultText(TAgentFault::Internal));
  }
  return 1;
}

int Publishing(const std::wstring& option, const std::vector<std::wstring>& arguments) {
  TComApartment com;  // the store's files go through the XML DOM
  const std::wstring name = option == L"publish" ? L"-Publish" : option == L"nopublish" ? L"-NoPublish" : L"-AddressService";
  std::wstring why;
  try {
    const std::optional<int> code = RunPublishSwitch(AgentDataFolder(), option, arguments, why);
    if (code && *code != 0) SayWhy(name, why);
    return code.value_or(2);
  } catch (const TAgentError& e) {
    SayWhy(name, e.Description());
  }
  return 1;
}

int Run(const std::wstring& option, const std::vector<std::wstring>& arguments) {
  if (option.empty()) return Serve(TServeMode::Background);
  if (option == L"publish" || option == L"nopublish" || option == L"addressservice")
    return Publishing(option, arguments);
  if (option == L"embedding") return Serve(TServeMode::Embedding);
  if (option == L"regserver") {
    TComApartment com;
    return Register();
  }
  if (option == L"unregserver") {
    TComApartment com;
    UninstallService();
    return SUCCEEDED(UnregisterServer()) ? 0 : 1;
  }
  if (option == L"install") {
    TComApartment com;
    return Register() == 0 ? ChooseService() : 1;
  }
  if (option == L"uninstall") return UninstallService();
  if (option == L"autorun") return ChooseAutoRun();
  if (option == L"noautorun") return ChooseNoAutoRun();
  if (option == L"service") return RunAsService();
  if (option == L"reset") return Reset();
  if (option == L"quit") return QuitRunningAgents(kQuitWaitMs) ? 0 : 1;
  if (option == L"restart") return RestartRunningAgent(kQuitWaitMs) ? 0 : 1;
  return 2;  // unknown switch
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring option = argv ? SwitchOf(argc, argv) : std::wstring();
  const std::vector<std::wstring> arguments = argv ? ArgumentsOf(argc, argv) : std::vector<std::wstring>();
  if (argv) LocalFree(argv);
  return Run(option, arguments);
}
