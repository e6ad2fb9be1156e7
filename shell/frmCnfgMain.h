// TCnfgMain, the main window: a skinned window whose picture, "background.bmp" next to
// the program, lies behind everything; the navigation buttons that open the pages, the
// page area, the 100 ms poll of the agent's state that fetches and drops the documents,
// and the OK / Apply / Cancel commit that sends the edits back to the agent.
#pragma once
#include <array>
#include <vector>

#include "shell/AgentHealth.h"
#include "shell/Navigator.h"
#include "shell/UnsentEdits.h"
#include "skin/BGSource.h"
#include "toolkit/ComPtr.h"
#include "toolkit/Label.h"
#include "shell/PageWrapper.h"
#include "skin/PicBtn.h"
#include "toolkit/Timer.h"
#include "skin/frmBackground.h"

// The pages the navigation buttons open.
enum class TMainPage { User, DnsStd, DnsPro, RRsStd, RRsPro, HierarchyStd, HierarchyPro, Info, Options };

class TCnfgMain : public TBGForm, public INavigator {
 public:
  static constexpr wchar_t kClassName[] = L"TCnfgMain";
  static constexpr int kClientWidth = 605;
  static constexpr int kClientHeight = 441;
  // Where pages are placed in the client area.
  static constexpr POINT kPageOrigin = {156, 68};

  TCnfgMain();
  ~TCnfgMain() override;

  TBGSource BGSource1;
  TPicBtn btnUser;
  TPicBtn btnDns;
  TPicBtn btnRRs;
  TPicBtn btnHierarchy;
  TPicBtn btnInfo;
  TPicBtn btnOptions;
  TPicBtn btnOK;
  TPicBtn btnCancel;
  TPicBtn btnApply;
  TTimer StateTimer;
  // Makes the pages ahead of their first opening while the window is idle.
  TTimer PrepareTimer;

  // The poll's view of the agent's health: the beep of a failing run of ticks
  // (replaceable by tests) and the reconnection of a lost agent.
  TAgentHealth AgentHealth;

  // The pages' navigator: a section as its button opens it, another page in place of
  // the one on show.
  void OpenSection(TSection section) override;
  void ReplacePage(const TPageOpener& open) override;

  // The navigation buttons' handlers.
  void btnUserChecked(TControl& sender);
  void btnDnsChecked(TControl& sender);
  void btnRRsChecked(TControl& sender);
  void btnHierarchyChecked(TControl& sender);
  void btnInfoChecked(TControl& sender);
  void btnOptionsChecked(TControl& sender);
  void CloseCurPage(TControl& sender);
  void StateTimerTimer(TTimer& sender);
  void PrepareTimerTimer(TTimer& sender);
  void btnOKClick(TControl& sender);
  void btnCancelClick(TControl& sender);

  // Enter presses Apply on the page a navigation button opened; Escape does nothing
  // (see the definition for why).
  bool DialogKey(WPARAM key) override;

 private:
  void FormCreate();
  void ShowProgramIcon();
  // Asks first while a commit waits for the agent.
  void FormClose(TForm& sender, bool& canClose);
  void FormDestroy(TControl& sender);
  void AttachNavigation(TPicBtn& button, void (TCnfgMain::*checked)(TControl&));
  // The skin's look of the buttons: faces, styles and sounds.
  void DressButtons();

  // The poll's steps.
  void FollowUserState();
  void ReleaseDocuments();
  void FetchDocuments();
  // Hold a fetched document, or the one with unsent edits kept for it.
  void HoldProfile(TXMLUserInfoType fetched);
  void HoldSettings(TXMLLocalSettingType fetched);
  void UpdateApplyButton();
  // Before Apply is disabled with the focus on it.
  void FocusBackFromApply();
  // The six buttons of the navigation column, top to bottom.
  std::array<TPicBtn*, 6> NavigationButtons();

  // The commit: start-up choice, local settings, then the profile.
  void Commit();
  // The commit's steps; each returns false when it failed and reported why.
  // Makes the machine start the agent as the options page wished; false, with the
  // popup saying so, when the user declined the consent prompt.
  bool ApplyStartUp();
  bool SendLocalSettings();
  bool SendUserProfile();

  // Opens the section's page in place of the page on show: the professional one when a
  // profile is held and the service is professional (pass the same page twice for a
  // section with one page). A page that cannot open leaves the old one on show.
  void Navigate(TMainPage standard, TMainPage professional);
  // The page's factory: creates the page on first use, shows it and returns its
  // interface. The professional pages open with the snapshot flag off.
  TComPtr<IPageWrapper> OpenPage(TMainPage page);

  // Chooses the pages to make ahead once a profile is held, and starts making them.
  void PreparePagesAhead();
  // The pages still to be made ahead, chosen by the service type of the first profile
  // held.
  std::vector<void (*)(TControl& owner)> pagesAhead_;
  bool pagesAheadChosen_ = false;
  // The page the last navigation opened (the section's own page, not an editor, a
  // dialog or a snapshot opened from it); never dereferenced.
  const IPageWrapper* sectionPage_ = nullptr;
  // Documents with unsent edits kept while the agent has no usable user.
  TUnsentEdits unsent_;
  // A commit is under way (its calls may wait for the agent, taking input meanwhile)
  // or queued behind another call that waits; the window closes when it has gone
  // through (OK, also one pressed meanwhile).
  bool committing_ = false;
  bool commitQueued_ = false;
  bool closeAfterCommit_ = false;
  // The agent handed out a damaged document and the user was told; cleared when the
  // document comes whole again.
  bool profileDamageTold_ = false;
  bool settingsDamageTold_ = false;
};
