// TPageOptions, the options page: which name server the agent signs in to, whether it
// signs in by itself and how often it refreshes (the held local settings document),
// and whether the agent starts with the system and runs as a Windows service (the
// program's one TSvcObj). The page only writes into these; the main window's OK or
// Apply applies the start-up choices and sends the local settings.
#pragma once
#include <optional>

#include "skin/BGCheckBox.h"
#include "skin/BGComboBox.h"
#include "skin/BGGroupBox.h"
#include "skin/BGLabel.h"
#include "skin/BGTrackBar.h"
#include "toolkit/ComPtr.h"
#include "skin/BGImage.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"

class TPageOptions : public TBaseFrame {
 public:
  static constexpr wchar_t kClassName[] = L"TPageOptions";
  static constexpr int kWidth = 430;

  explicit TPageOptions(TControl& owner);

  // Enables or disables the server and speed groups alone: the background-service
  // group stays usable while no user is signed in.
  void STDMETHODCALLTYPE SetEnabled(bool value) override;
  // Loads every control from the documents and the system's start-up state, then the
  // base rule.
  void STDMETHODCALLTYPE Refresh() override;

  // The name server group.
  TBGGroupBox GroupServer;
  TBGImage Image2;
  TBGLabel BGLabel1;
  TBGComboBox cmbServer;
  TBGLabel BGLabel6;
  TBGCheckBox chkAutoConnect;

  // The update speed group.
  TBGGroupBox GroupSpeed;
  TBGImage Image1;
  TBGLabel BGLabel2;
  TBGTrackBar tbSpeed;
  TBGLabel BGLabel3, BGLabel4, BGLabel5;

  // The background-service group.
  TBGGroupBox BGGroupBox3;
  TBGImage Image3;
  TBGCheckBox chkAutoRun;
  TBGCheckBox chkService;
  // The system's shield, shown while a change of these two needs the consent prompt.
  TBGImage imgShield;

  // Writes every control back into the local settings and the TSvcObj.
  void OptionsChanged();
  void chkAutoRunClick(TControl& sender);

 private:
  void DetachHandlers();
  void ShowServers();
  void ShowLocalSettings();
  void ShowStartUp();
  // True when the stored HeartBeat is one the speed bar shows.
  bool StoredSpeedShown() const;

  bool contentEnabled_ = true;
  bool speedMoved_ = false;  // by the user since the last refresh
};

// The speed bar's position for a stored HeartBeat: 2 up to 450, 1 up to 750, 0 up to
// 900; none for 0 or less or above 900, which leave the bar where it stands.
std::optional<int> SpeedPosition(int heartBeat);
// The HeartBeat a position stands for: 900, 600 or 300.
int HeartBeatOf(int position);

// Creates the page and the program's TSvcObj on first use with `owner` (the main
// window) as owner and parent, or shows the page; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageOptions(TControl& owner);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageOptions(TControl& owner);
