#include "agent/UnitDef.h"

#include "shell/Common.h"
#include "agent/AgentCallFilter.h"
#include "agent/AgentOutage.h"
#include "agent/ErrorInfoHook.h"
#include "toolkit/Cursor.h"
#include "toolkit/Exception.h"
#include "toolkit/OleCheck.h"
#include "toolkit/StartupTrace.h"

TSvcInvokerLink SvcInvoker;
TUserManagerLink UserManager;
TXMLUserInfoType UserProfile;
TXMLLocalSettingType LocalSettings;
TXMLApplicationType AppFile;
bool LocalSettingsModified = false;
TComPtr<IPageWrapper> CurrentPage;
std::function<void(const std::wstring&)> MessageSink;

namespace {
bool comInitialised = false;
}

void ClearSharedState() {
  UserProfile = {};
  LocalSettings = {};
  LocalSettingsModified = false;
  CurrentPage.Reset();
}

void StartUpSharedState(const std::wstring& programDir) {
  if (!comInitialised) {
    OleCheck(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    comInitialised = true;
    InstallErrorInfoHook();
    InstallAgentCallFilter(TellAgentOutage);
    StartupStep("COM initialised");
  }
  ConnectAgent();
  ClearSharedState();
  AppFile = LoadApplicationFile(programDir + kAppFileName);
  StartupStep("application file loaded");
}

void ConnectAgent() {
  UserManager.Reset();
  SvcInvoker.Reset();
  TSvcInvokerLink invoker = TSvcInvokerLink::Create();
  StartupStep("service invoker created");
  invoker.Start();
  StartupStep("service invoker started");
  TUserManagerLink manager = TUserManagerLink::Create();
  StartupStep("user manager created");
  SvcInvoker = std::move(invoker);
  UserManager = std::move(manager);
}

void ShutDownSharedState() {
  ClearSharedState();
  AppFile = {};
  UserManager.Reset();
  SvcInvoker.Reset();
  if (comInitialised) {
    comInitialised = false;
    RemoveAgentCallFilter();
    CoUninitialize();
  }
}

void ShowMessageText(const std::wstring& text) {
  if (MessageSink) MessageSink(text);
}

void ShowMessageId(int number) { ShowMessageText(GetResString(number)); }

bool RunAgentAction(const std::function<void()>& action) {
  try {
    const THourglass hourglass;
    action();
    return true;
  } catch (const std::exception& e) {
    ShowMessageText(ExceptionMessage(e));
    return false;
  }
}

std::wstring ProfileFieldText(std::wstring (TXMLUserInfoType::*field)() const) {
  try {
    return (UserProfile.*field)();
  } catch (const EError&) {
    return GetResString(513);
  }
}

void MarkUserProfileModified(bool flag) {
  if (UserProfile.Assigned()) UserProfile.SetModified(flag);
}

void ChangeUserProfile(const std::function<void(TXMLUserInfoType& profile)>& change) {
  if (!UserProfile.Assigned()) return;
  change(UserProfile);
  UserProfile.SetModified(true);
}

void SetLocalSettingsModified(bool flag) { LocalSettingsModified = flag; }

bool IsProfessionalService() {
  return UserProfile.Assigned() && UserManager.GetServiceType() >= 3;
}

int FindCategoryValue(const std::wstring& name) { return FindCategoryValue(AppFile, name); }

std::wstring FindCategoryName(int value) { return FindCategoryName(AppFile, value); }
