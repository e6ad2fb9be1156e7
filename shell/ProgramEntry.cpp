#include "shell/ProgramEntry.h"

#include <windows.h>

#include "toolkit/Application.h"
#include "shell/Common.h"
#include "toolkit/Exception.h"
#include "toolkit/StartupTrace.h"
#include "agent/AgentOutage.h"
#include "agent/UnitDef.h"
#include "shell/frmCnfgMain.h"
#include "shell/frmMsg.h"

namespace {

constexpr wchar_t kTitle[] = L"维特兰诺用户管理";

int RunMainWindow() {
  TCnfgMain mainWindow;
  StartupStep("main window created");
  // The popup lives as long as the main window; messages reach it from now on.
  TMsgForm msgForm;
  StartupStep("popup created");
  MessageSink = [&msgForm](const std::wstring& text) { msgForm.ShowText(text); };
  // A handler's call that finds the agent hung or gone is one more sign of the outage
  // the popup tells, not a modal box of its own.
  Application().ExceptionFilter = TellAgentOutageOf;
  struct TSinkReset {
    ~TSinkReset() {
      Application().ExceptionFilter = nullptr;
      MessageSink = nullptr;
    }
  } sinkReset;
  return Application().Run(mainWindow);
}

}  // namespace

int RunProgram() {
  StartupStep("entry");
  try {
    StartUpSharedState(GetExeDir());
  } catch (...) {
    // No window yet: the report's caption is the program's name.
    Application().HandleException();
    ShutDownSharedState();
    return 1;
  }
  int result = 0;
  const bool another = IsWindowPresent(TCnfgMain::kClassName, GetResString(512));
  StartupStep("instance checked");
  if (!another) {
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
