// The program's shared state and the routines every page shares: the agent
// references, the held documents, the modified flags and the page on show. One set
// lives for the whole run, on the window thread.
#pragma once
#include <functional>
#include <string>

#include "agent/AgentLink.h"
#include "profile/AppProfile.h"
#include "toolkit/ComPtr.h"
#include "agent/DomainList.h"
#include "shell/PageWrapper.h"
#include "profile/UserProfile.h"
#include "agent/Vocabularies.h"

extern TSvcInvokerLink SvcInvoker;
extern TUserManagerLink UserManager;
// The held documents; an unassigned view means the document is not held.
extern TXMLUserInfoType UserProfile;
extern TXMLLocalSettingType LocalSettings;
extern TXMLApplicationType AppFile;
extern bool LocalSettingsModified;
extern TComPtr<IPageWrapper> CurrentPage;

// The application file's name in the program's folder.
inline constexpr wchar_t kAppFileName[] = L"AppProfile.xml";

// Module start-up, before any window exists: COM for the thread, the agent's
// service invoker (created and started) and user manager, the shared state cleared,
// and the application file loaded from `programDir`. Raises on any failure.
void StartUpSharedState(const std::wstring& programDir);
// Drops both agent references and creates them again, the service invoker started as
// at start-up. Raises when the agent cannot be reached; both references stay empty then.
// The held documents and their marks are not touched.
void ConnectAgent();
// Module shut-down: releases the page, the documents and the agent references, then
// COM for the thread (when StartUpSharedState initialised it).
void ShutDownSharedState();

// Clears the documents, the flags and the current page (the agent stays).
void ClearSharedState();

// Where ShowMessageText puts its texts: the notification popup registers itself here.
extern std::function<void(const std::wstring&)> MessageSink;
void ShowMessageText(const std::wstring& text);
void ShowMessageId(int number);

// One action of a handler on the agent: the hourglass while it runs, and the agent's
// own text in the popup when it fails. True when it went through.
bool RunAgentAction(const std::function<void()>& action);

// A text field of the held user profile as a page shows it (e.g.
// ProfileFieldText(&TXMLUserInfoType::UserName)): "未知" (text 513) when the field
// cannot be read, so that one damaged field leaves the rest of a refresh to run.
// A user profile must be held.
std::wstring ProfileFieldText(std::wstring (TXMLUserInfoType::*field)() const);

// Sets the held user profile's Modified attribute; nothing when none is held.
void MarkUserProfileModified(bool flag);
// A page's edit of the held user profile: `change` writes it and the profile is
// marked modified; nothing at all when none is held.
void ChangeUserProfile(const std::function<void(TXMLUserInfoType& profile)>& change);
void SetLocalSettingsModified(bool flag);
// True when a user profile is held and the agent's service type is 3 or more. Agent
// failures propagate.
bool IsProfessionalService();

// The code of the application file's category with this display name, or the name of
// the category with this code (the walk of FindCategoryValue over a document). -1 or
// an empty text when no application file is loaded or nothing matches.
int FindCategoryValue(const std::wstring& name);
std::wstring FindCategoryName(int value);
