// What the standard and the professional DNS settings pages share: the frame that the
// online and offline settings fill, the tab set below it that switches between them
// (its top edge lies two pixels inside the frame, so it is kept above the settings
// pages), the settings pages themselves with the tab last chosen, and the domain's
// cache time.
//
// Each DNS page owns its own pair of settings pages, created the first time their tab
// is shown and kept until the program ends; switching hides the other one. The tab
// last chosen survives leaving and reopening the DNS page.
#pragma once
#include <functional>
#include <memory>

#include "skin/BGTabSet.h"
#include "toolkit/Bevel.h"
#include "toolkit/ComboBox.h"
#include "shell/PageFrame.h"
#include "pages/frameOfflineSettings.h"
#include "pages/frameOnlineSettings.h"

// The args and options of the pages' beFrame and tabDnsSettings.
TControlArgs DnsFrameArgs();
TControlArgs DnsTabsArgs();
inline constexpr TTabSetOptions kDnsTabsOptions{.startMargin = 0, .softTop = true, .ditherBackground = false};

class TDnsSubPages {
 public:
  static constexpr int kOnline = 0;
  static constexpr int kOffline = 1;

  // `page` hosts the settings pages over `frame`; `tabs` gets its two tabs, the first
  // selected, and switches on the user's choice with the click sound.
  TDnsSubPages(TControl& page, TBevel& frame, TTabSet& tabs);

  int Tab() const noexcept { return tab_; }
  // The settings page of the chosen tab; null before it was first shown.
  IPageWrapper* Current() const;
  TPageOnlineSettings* Online() const noexcept { return online_.get(); }
  TPageOfflineSettings* Offline() const noexcept { return offline_.get(); }

  // Closes the current settings page and shows (creating it the first time) and
  // refreshes the one of `tab`, which becomes the chosen tab even when its refresh
  // raises; the tab set goes back on top. A focus inside the page closed moves to the
  // first control of the one shown, so that the keyboard is not left on a hidden one.
  void Switch(int tab);
  // Makes both settings pages ahead of their first showing, hidden.
  void Prepare();
  // Refreshes the current settings page (shows it the first time, also when it was
  // made ahead), then runs `finish`, the rest of the DNS page's refresh, also when the
  // settings page raised; the error then goes on to the caller.
  void Refresh(const std::function<void()>& finish);

  void tabDnsSettingsChange(int newTab);
  // Ctrl+Tab, Ctrl+Page Down and their ways back switch the tab as a click does, while
  // the tab set is usable; true when the key did.
  bool SwitchByKey(WPARAM key);

  // Greys or enables the DNS page's content: `group` (the name's group) with its
  // controls, which keep their own state under a disabled group, the settings page on
  // show and the tab set.
  void EnableContent(TControl& group, bool enabled);

 private:
  void Chosen(int tab);
  TControl* Shown(int tab) const;

  TControl& page_;
  TBevel& frame_;
  TTabSet& tabs_;
  int tab_ = kOnline;
  std::unique_ptr<TPageOnlineSettings> online_;
  std::unique_ptr<TPageOfflineSettings> offline_;
};

// Selects the entry of the held profile's TTL in minutes (seconds / 60); none when no
// entry shows that number or the TTL cannot be read.
void ShowDomainTtl(TComboBox& box);
// With a profile held: the cache-time notice, the box's minutes times 60 (60 when it
// shows none) as TTL, and the profile marked.
void StoreDomainTtl(TPageFrame& page, const TComboBox& box);
