// TPageHierarchyStd, the standard hierarchy page: the parent domains the account's
// domain has joined, in a grid with their states, which the add button extends
// through the parent dialog and the delete button shortens; below it the legend of
// the three states. Its snapshot button shows the professional page, which also
// lists the delegated child domains, for viewing.
#pragma once
#include "skin/BGLabel.h"
#include "skin/BGPanel.h"
#include "skin/PicBtn.h"
#include "toolkit/ComPtr.h"
#include "shell/PageWrapper.h"
#include "shell/frameBase.h"
#include "pages/HierarchyPage.h"

class TPageHierarchyStd : public THierarchyPage<TBaseFrame> {
 public:
  static constexpr wchar_t kClassName[] = L"TPageHierarchyStd";
  static constexpr int kWidth = 437;

  explicit TPageHierarchyStd(TControl& owner);

  // Sets the grid's rows from the held profile and repaints it, then the base rule
  // (disabled without a profile).
  void STDMETHODCALLTYPE Refresh() override;

  // The legend: the active, waiting and expired pictures with their texts.
  TBGPanel BGPanel1;
  TBGImage Image1, Image2, Image3;
  TBGLabel BGLabel3, BGLabel1, BGLabel2;
  TPicBtn btnSnapShot;

  void btnSnapShotClick(TControl& sender);

 protected:
  // btnSnapShot shows the hand cursor.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// Creates the page on first use with `owner` (the main window) as owner and parent,
// or shows it; enables it and refreshes it.
TComPtr<IPageWrapper> ShowPageHierarchyStd(TControl& owner);
// Makes the page ahead of its first opening, hidden and not yet loaded.
void PreparePageHierarchyStd(TControl& owner);
