// Program entry: connect to the agent and load the application file before any
// window exists, end silently when another instance's main window is present, then
// run the main window until it closes.
#include <windows.h>

#include "toolkit/Application.h"
#include "shell/Common.h"
#include "toolkit/Exception.h"
#include "agent/UnitDef.h"
#include "shell/frmCnfgMain.h"
#include "shell/frmMsg.h"

namespace {

constexpr wchar_t kTitle[] = L"维特兰诺用户管理";

int RunMainWindow() {
  TCnfgMain mainWindow;
  // The popup lives as long as the main window; messages reach it from now on.
  TMsgForm msgForm;
  MessageSink = [&msgForm](const std::wstring& text) { msgForm.ShowText(text); };
  struct TSinkReset {
    ~TSinkReset() { MessageSink = nullptr; }
  } sinkReset;
  return Application().Run(mainWindow);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    StartUpSharedState(GetExeDir());
  } catch (...) {
    // No window yet: the report's caption is the program's name.
    Application().HandleException();
    ShutDownSharedState();
    return 1;
  }
  int result = 0;
  if (!IsWindowPresent(TCnfgMain::kClassName, GetResString(512))) {
    Application().SetTitle(kTitle);
    try {
      result = RunMainWindow();
    } catch (...) {
      Application().HandleException();
      result = 1;
    }
  }
  ShutDownSharedState();
  return result;
}
