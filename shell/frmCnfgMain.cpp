#include "shell/frmCnfgMain.h"

#include <algorithm>
#include <string_view>

#include "shell/Common.h"
#include "shell/PageFrame.h"
#include "shell/frameBase.h"
#include "toolkit/Cursor.h"
#include "toolkit/Exception.h"
#include "toolkit/StartupTrace.h"
#include "skin/SkinFaces.h"
#include "agent/AgentCallFilter.h"
#include "agent/AgentOutage.h"
#include "agent/SvcObj.h"
#include "agent/UnitDef.h"
#include "pages/frameCName.h"
#include "pages/frameChild.h"
#include "pages/frameDnsPro.h"
#include "pages/frameDnsStd.h"
#include "pages/frameHierarchyPro.h"
#include "pages/frameHierarchyStd.h"
#include "pages/frameInfo.h"
#include "pages/frameMX.h"
#include "pages/frameOptions.h"
#include "pages/frameParent.h"
#include "pages/frameRRA.h"
#include "pages/frameRRsPro.h"
#include "pages/frameRRsStd.h"
#include "pages/frameURL.h"
#include "pages/frameUser.h"

namespace {

constexpr int kNavGroup = 1;
constexpr int kCloseDuringCommitQuestion = 565;

// The navigation column and the button row, as laid out on the window picture. Tab
// runs down the column, through the page on show (TBaseFrame::kTabOrder), then along
// the row.
TControlArgs Nav(const wchar_t* name, int top, const wchar_t* caption, int tabOrder) {
  return {.name = name, .left = 19, .top = top, .width = 127, .height = 33, .caption = caption,
          .tabOrder = tabOrder};
}

TControlArgs Command(const wchar_t* name, int left, const wchar_t* caption, int place, bool enabled = true) {
  return {.name = name, .left = left, .top = 386, .width = 84, .height = 24, .caption = caption,
          .tabOrder = TBaseFrame::kTabOrder + 1 + place, .enabled = enabled};
}

// A document as the user knows it, and what the user can do when the agent's copy of
// it cannot be used.
struct TDocumentKind {
  const wchar_t* name;
  const wchar_t* remedy;
};
constexpr TDocumentKind kProfileDocument{L"用户资料", L"请修复该文件，或用注册码更换用户。"};
constexpr TDocumentKind kSettingsDocument{L"本地设置", L"请修复该文件，或删除它以使用默认设置。"};

// Which document, the reason (the agent's own, which names its file, or why the text
// did not parse), and what to do.
std::wstring DamagedDocumentText(const TDocumentKind& kind, std::wstring reason) {
  while (!reason.empty() && (reason.back() == L'。' || reason.back() == L'.')) reason.pop_back();
  return std::wstring(kind.name) + L"无法读取：" + reason + L"。" + kind.remedy;
}

// Fetches and parses one document. A failure that is no outage of the agent (the
// agent refuses the document, or its text does not parse) means the document is
// damaged: the user is told once, until it comes whole again, and the tick fails
// (with the one beep of its run) without telling it again on every tick.
template <class TFetch>
auto FetchDocument(const TDocumentKind& kind, bool& told, TFetch fetch) -> decltype(fetch()) {
  try {
    auto document = fetch();
    told = false;
    return document;
  } catch (...) {
    const std::exception_ptr failure = std::current_exception();
    if (IsAgentOutage(failure)) throw;
    const std::wstring text = DamagedDocumentText(kind, ExceptionMessage(failure));
    if (!told) ShowMessageText(text);
    told = true;
    throw EToldFailure(text);
  }
}

}  // namespace

TCnfgMain::TCnfgMain()
    : TBGForm({.name = L"CnfgMain",
               .className = kClassName,
               .caption = GetResString(512),
               .clientWidth = kClientWidth,
               .clientHeight = kClientHeight,
               .font = {.face = L"SimSun", .height = 12, .charset = GB2312_CHARSET}}),
      BGSource1(*this),
      btnUser(*this, Nav(L"btnUser", 72, L"用户信息", 0)),
      btnDns(*this, Nav(L"btnDns", 120, L"域名设置", 1)),
      btnRRs(*this, Nav(L"btnRRs", 168, L"资源记录", 2)),
      btnHierarchy(*this, Nav(L"btnHierarchy", 216, L"域名层次", 3)),
      btnInfo(*this, Nav(L"btnInfo", 264, L"站点信息", 4)),
      btnOptions(*this, Nav(L"btnOptions", 312, L"选项设置", 5)),
      btnOK(*this, Command(L"btnOK", 308, L"确定", 0)),
      btnCancel(*this, Command(L"btnCancel", 396, L"取消", 1)),
      btnApply(*this, Command(L"btnApply", 488, L"应用", 2, false)),
      StateTimer({.name = L"StateTimer", .interval = 100, .enabled = true}),
      PrepareTimer({.name = L"PrepareTimer", .interval = 50, .enabled = false}) {
  StartupStep("main window: window and buttons");
  DressButtons();
  StartupStep("main window: button faces");
  AttachNavigation(btnUser, &TCnfgMain::btnUserChecked);
  AttachNavigation(btnDns, &TCnfgMain::btnDnsChecked);
  AttachNavigation(btnRRs, &TCnfgMain::btnRRsChecked);
  AttachNavigation(btnHierarchy, &TCnfgMain::btnHierarchyChecked);
  AttachNavigation(btnInfo, &TCnfgMain::btnInfoChecked);
  AttachNavigation(btnOptions, &TCnfgMain::btnOptionsChecked);
  btnOK.OnClick = [this](TControl& s) { btnOKClick(s); };
  btnApply.OnClick = [this](TControl& s) { btnOKClick(s); };
  btnCancel.OnClick = [this](TControl& s) { btnCancelClick(s); };
  StateTimer.OnTimer = [this](TTimer& s) { StateTimerTimer(s); };
  PrepareTimer.OnTimer = [this](TTimer& s) { PrepareTimerTimer(s); };
  OnDestroy = [this](TControl& s) { FormDestroy(s); };
  OnClose = [this](TForm& s, bool& canClose) { FormClose(s, canClose); };
  FormCreate();
}

TCnfgMain::~TCnfgMain() {
  StateTimer.SetEnabled(false);
  PrepareTimer.SetEnabled(false);
}

void TCnfgMain::DressButtons() {
  const std::wstring dir = GetExeDir();
  for (TPicBtn* button : NavigationButtons()) {
    button->SetGroup(kNavGroup);
    button->SetSoundEnter(dir + L"Over.wav");
  }
  for (TPicBtn* button : {&btnUser, &btnDns, &btnRRs, &btnHierarchy, &btnInfo, &btnOptions, &btnOK,
                          &btnCancel, &btnApply}) {
    // The faces are named after their buttons; without them a button shows its caption.
    LoadButtonFaces(*button, dir, button->Name());
    button->SetPicStyle(TPicStyle::psTransparent);
    button->SetAutoSize(true);
    button->SetSoundClick(dir + L"Click.wav");
  }
}

void TCnfgMain::AttachNavigation(TPicBtn& button, void (TCnfgMain::*checked)(TControl&)) {
  button.OnChecked = [this, checked](TControl& s) { (this->*checked)(s); };
  // Pressed while checked (its page replaced by an editor or a snapshot, or failed to
  // open), the button shows its page again.
  button.OnClick = [this, checked, &button](TControl& s) {
    if (button.Checked()) (this->*checked)(s);
  };
  button.OnUnchecked = [this](TControl& s) { CloseCurPage(s); };
}

void TCnfgMain::FormCreate() {
  SetCaption(GetResString(512));
  ShowProgramIcon();
  try {
    BGSource1.LoadFromFile(GetExeDir() + L"background.bmp");
  } catch (const EError&) {
    // Without its picture the window keeps its size and plain colour and works as ever.
  }
  StartupStep("main window: background");
  btnUser.SetChecked(true);
  StartupStep("main window: user page");
}

void TCnfgMain::ShowProgramIcon() {
  // Icon 1 of the program's resources, in the two sizes the title bar and the task
  // switcher use; a module without it (a test) keeps the default.
  const HINSTANCE module = GetModuleHandleW(nullptr);
  for (const auto& [which, size] : {std::pair{ICON_SMALL, 16}, std::pair{ICON_BIG, 32}}) {
    if (HANDLE icon = LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED))
      SendMessageW(Handle(), WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
  }
}

void TCnfgMain::FormClose(TForm&, bool& canClose) {
  // While a commit waits for the agent the window still takes input, and its end would
  // not wait for the agent: the edits on their way would be lost without a word. This
  // asks also for a click made before the user was told that the agent does not answer
  // (such input waits in the queue until then).
  if (!committing_) return;
  canClose = ::ShowPageMessage(Handle(), kCloseDuringCommitQuestion, kQuestionStyle) == IDYES;
}

void TCnfgMain::FormDestroy(TControl&) {
  StateTimer.SetEnabled(false);
  PrepareTimer.SetEnabled(false);
  CurrentPage.Reset();
}

// ---- Navigation ----

void TCnfgMain::btnUserChecked(TControl&) { OpenSection(TSection::User); }
void TCnfgMain::btnDnsChecked(TControl&) { OpenSection(TSection::Dns); }
void TCnfgMain::btnRRsChecked(TControl&) { OpenSection(TSection::Records); }
void TCnfgMain::btnHierarchyChecked(TControl&) { OpenSection(TSection::Hierarchy); }
void TCnfgMain::btnInfoChecked(TControl&) { OpenSection(TSection::Info); }
void TCnfgMain::btnOptionsChecked(TControl&) { OpenSection(TSection::Options); }

void TCnfgMain::OpenSection(TSection section) {
  switch (section) {
    case TSection::User: return Navigate(TMainPage::User, TMainPage::User);
    case TSection::Dns: return Navigate(TMainPage::DnsStd, TMainPage::DnsPro);
    case TSection::Records: return Navigate(TMainPage::RRsStd, TMainPage::RRsPro);
    case TSection::Hierarchy: return Navigate(TMainPage::HierarchyStd, TMainPage::HierarchyPro);
    case TSection::Info: return Navigate(TMainPage::Info, TMainPage::Info);
    case TSection::Options: return Navigate(TMainPage::Options, TMainPage::Options);
  }
}

void TCnfgMain::ReplacePage(const TPageOpener& open) { ReplaceCurrentPage(*this, open); }

void TCnfgMain::CloseCurPage(TControl&) {
  if (CurrentPage) CurrentPage->Close();
}

void TCnfgMain::Navigate(TMainPage standard, TMainPage professional) {
  ReplaceCurrentPage(*this, [this, standard, professional](TControl&) {
    TComPtr<IPageWrapper> page =
        OpenPage(standard == professional || !IsProfessionalService() ? standard : professional);
    sectionPage_ = page.Get();
    return page;
  });
}

TComPtr<IPageWrapper> TCnfgMain::OpenPage(TMainPage page) {
  switch (page) {
    case TMainPage::User: return ShowPageUser(*this);
    case TMainPage::DnsStd: return ShowPageDnsStd(*this);
    case TMainPage::DnsPro: return ShowPageDnsPro(*this, false);
    case TMainPage::RRsStd: return ShowPageRRsStd(*this);
    case TMainPage::RRsPro: return ShowPageRRsPro(*this, false);
    case TMainPage::HierarchyStd: return ShowPageHierarchyStd(*this);
    case TMainPage::HierarchyPro: return ShowPageHierarchyPro(*this, false);
    case TMainPage::Info: return ShowPageInfo(*this);
    case TMainPage::Options: return ShowPageOptions(*this);
  }
  return {};
}

// ---- Pages made ahead ----

// A first opening would otherwise create the page's dozens of windows while the user
// waits (each a round trip to Wine's server), and the page would paint late. So the
// pages a click can open are made ahead, hidden and not loaded, one a tick while the
// window is idle (a timer's message comes only when no input and no painting waits),
// from the first profile held on: the section pages of its service type with their
// settings sheets, then the editors, dialogs and wizard they open. A first opening
// then only shows and loads its page, as every later one does. Hidden, they change
// nothing the user sees or reaches with the keyboard.
void TCnfgMain::PreparePagesAhead() {
  if (pagesAheadChosen_ || !UserProfile.Assigned()) return;
  pagesAheadChosen_ = true;
  if (IsProfessionalService())
    pagesAhead_ = {PreparePageDnsPro, PreparePageRRsPro, PreparePageHierarchyPro, PreparePageInfo,
                   PreparePageOptions, PreparePageURL, PreparePageRRA, PreparePageCname, PreparePageMX,
                   PreparePageParent, PreparePageChild};
  else
    pagesAhead_ = {PreparePageDnsStd, PreparePageRRsStd, PreparePageHierarchyStd, PreparePageInfo,
                   PreparePageOptions, PreparePageURL, PreparePageParent};
  std::reverse(pagesAhead_.begin(), pagesAhead_.end());
  PrepareTimer.SetEnabled(true);
}

void TCnfgMain::PrepareTimerTimer(TTimer&) {
  if (AgentCallPending()) return;
  if (pagesAhead_.empty()) {
    PrepareTimer.SetEnabled(false);
    return;
  }
  const auto prepare = pagesAhead_.back();
  pagesAhead_.pop_back();
  try {
    prepare(*this);
  } catch (const std::exception&) {
    // Left to be made when it is opened, which tells the user what failed.
  }
}

// ---- State poll ----

void TCnfgMain::StateTimerTimer(TTimer&) {
  // A page's call that waits for the agent runs this tick inside its wait: the tick
  // would only queue behind it.
  if (AgentCallPending()) return;
  if (commitQueued_) {
    Commit();
    return;
  }
  if (!AgentHealth.ReadyForTick()) return;
  try {
    const bool online = UserManager.IsOnline();
    ShowAgentStateOnUserPage(online, UserManager.GetUserState());
    FollowUserState();
    UpdateApplyButton();
    AgentHealth.TickSucceeded();
  } catch (...) {
    // The rest of the tick is skipped; the next one tries again.
    AgentHealth.TickFailed(std::current_exception());
  }
}

void TCnfgMain::FollowUserState() {
  switch (UserManager.GetUserState()) {
    case usNoUser:
      ReleaseDocuments();
      break;
    case usSignedIn:
    case usSignedOut:
      if (!UserProfile.Assigned() || !LocalSettings.Assigned()) FetchDocuments();
      break;
    default:
      break;
  }
}

void TCnfgMain::ReleaseDocuments() {
  // Unsent edits wait aside for the account to come back.
  unsent_.KeepAside(UserProfile, LocalSettings, LocalSettingsModified);
  UserProfile = {};
  LocalSettings = {};
}

void TCnfgMain::FetchDocuments() {
  // A held document with unsent edits is kept: only the missing one is fetched.
  // Otherwise a local settings text that keeps failing would replace the user's
  // profile edits with the agent's copy on every tick, and a profile dropped by a
  // reload or a change of account would take the unsent options with it. The marks
  // are read after the calls: the window takes input while a call waits.
  auto profileEdited = [] { return UserProfile.Assigned() && UserProfile.Modified(); };
  auto settingsEdited = [] { return LocalSettings.Assigned() && LocalSettingsModified; };
  if (!profileEdited()) {
    TXMLUserInfoType fetched = FetchDocument(kProfileDocument, profileDamageTold_, [] {
      return ParseUserInfo(UserManager.GetUserProfile(kProfileCurrent));
    });
    if (!profileEdited()) HoldProfile(std::move(fetched));
  }
  if (!settingsEdited()) {
    TXMLLocalSettingType fetched = FetchDocument(kSettingsDocument, settingsDamageTold_, [] {
      return ParseLocalSetting(UserManager.GetAppProfile());
    });
    if (!settingsEdited()) HoldSettings(std::move(fetched));
  }
  if (CurrentPage && UserProfile.Assigned()) CurrentPage->Refresh();
  PreparePagesAhead();
}

void TCnfgMain::HoldSettings(TXMLLocalSettingType fetched) {
  LocalSettings = std::move(fetched);
  if (TXMLLocalSettingType kept = unsent_.TakeSettings(); kept.Assigned()) {
    LocalSettings = std::move(kept);
    LocalSettingsModified = true;
  }
}

void TCnfgMain::HoldProfile(TXMLUserInfoType fetched) {
  std::wstring discarded;
  const std::wstring domain = AccountDomain(fetched);
  UserProfile = unsent_.TakeProfile(std::move(fetched), domain, discarded);
  if (!discarded.empty()) ShowMessageText(discarded);
}

void TCnfgMain::UpdateApplyButton() {
  const bool profileModified = UserProfile.Assigned() && UserProfile.Modified();
  const bool enabled = profileModified || LocalSettingsModified;
  // A window disabled while it has the focus leaves it to no window at all, and then no
  // key reaches a control until a click: Apply, pressed and now with nothing to send,
  // first gives the focus back.
  if (!enabled && btnApply.Enabled() && btnApply.Focused()) FocusBackFromApply();
  if (btnApply.Enabled() != enabled) btnApply.SetEnabled(enabled);
}

void TCnfgMain::FocusBackFromApply() {
  // Back where the user came from: the navigation button or the page's control a click
  // came from; else into the page (Tab came along the button row); else the column.
  const HWND from = btnApply.CameFrom();
  const auto column = NavigationButtons();
  const bool fromColumn =
      std::any_of(column.begin(), column.end(), [from](const TPicBtn* button) { return button->Handle() == from; });
  if (fromColumn && CanTakeFocus(from)) {
    ::SetFocus(from);
    return;
  }
  auto* page = dynamic_cast<TPageFrame*>(CurrentPage.Get());
  if (page && page->TakeFocus(from)) return;
  for (TPicBtn* button : column)
    if (button->Checked()) button->SetFocus();
}

std::array<TPicBtn*, 6> TCnfgMain::NavigationButtons() {
  return {&btnUser, &btnDns, &btnRRs, &btnHierarchy, &btnInfo, &btnOptions};
}

// ---- Commit ----

void TCnfgMain::btnOKClick(TControl& sender) {
  const bool closing = sender.Name() == L"btnOK";
  if (committing_) {
    // A click while a commit is under way: that commit sends the same documents; OK
    // closes the window once it has gone through.
    closeAfterCommit_ = closeAfterCommit_ || closing;
    return;
  }
  committing_ = true;
  closeAfterCommit_ = closing;
  // The click came while another call waits for the agent (the window takes input once
  // the user is told it does not answer): the commit cannot go out beside it, and goes
  // with the first tick after it. Until then it counts as under way.
  commitQueued_ = AgentCallPending();
  if (!commitQueued_) Commit();
}

void TCnfgMain::Commit() {
  commitQueued_ = false;
  bool sent = false;
  bool startUpApplied = true;
  {
    struct TCommitEnd {
      bool& flag;
      ~TCommitEnd() { flag = false; }
    } commitEnd{committing_};
    THourglass hourglass;
    startUpApplied = ApplyStartUp();
    sent = SendLocalSettings() && SendUserProfile();
  }
  // Closing would take away the message that the start-up choice stayed as it was.
  if (sent && closeAfterCommit_ && startUpApplied) Close();
}

bool TCnfgMain::ApplyStartUp() {
  if (!SvcObj || SvcObj->Apply() != TSvcObj::TApplied::Declined) return true;
  ShowMessageText(kStartUpNotChangedText);
  return false;
}

bool TCnfgMain::SendLocalSettings() {
  try {
    if (LocalSettingsModified && LocalSettings.Assigned()) UserManager.PutAppProfile(LocalSettings.XML());
    LocalSettingsModified = false;
    return true;
  } catch (const std::exception& e) {
    ShowMessageText(ExceptionMessage(e));
    return false;
  }
}

bool TCnfgMain::SendUserProfile() {
  try {
    if (UserProfile.Assigned() && UserProfile.Modified()) {
      // The markup is taken while Modified is still true, so the agent receives it
      // marked; it is cleared only once the agent has taken the document.
      UserManager.PutUserProfile(UserProfile.XML(), -1);
      UserProfile.SetModified(false);
    }
    return true;
  } catch (const std::exception& e) {
    ShowMessageText(FormatResString(530, {ExceptionMessage(e)}));
    return false;
  }
}

void TCnfgMain::btnCancelClick(TControl&) { Close(); }

// Enter and Escape reach the main window only when nothing nearer the focus took them:
// a push button, a link and the navigation buttons are pressed by Enter themselves; a
// multi-line edit keeps Enter for its line breaks and a dropped-down list for closing;
// the user page acts on Enter in its account fields; the modification page, the record
// editors, the redirection wizard and the hierarchy dialogs press their own OK, and
// Escape their own Back or Cancel, as a snapshot's Escape presses its Back.
//
// What is left:
// - Enter on the page a navigation button opened presses Apply when it is enabled: the
//   edits go to the agent and the window stays open, as after a click on Apply. Never
//   OK, which would close the window on a key pressed in a field; and not on the pages
//   opened inside a section (an editor whose OK is not enabled yet, a dialog), where
//   Enter belongs to that page's own OK and Apply would send behind its back.
// - Escape does nothing: Cancel discards every unsent edit, and a key must not do that
//   without a question.
bool TCnfgMain::DialogKey(WPARAM key) {
  if (key != VK_RETURN || !btnApply.Enabled() || !CurrentPage || CurrentPage.Get() != sectionPage_) return false;
  auto* page = dynamic_cast<TPageFrame*>(CurrentPage.Get());
  if (!page || !page->HasFocus()) return false;
  btnApply.Click();
  return true;
}
