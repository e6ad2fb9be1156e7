// TBGPanel: the panel over the window picture, and a skinned parent in its own right.
// It takes its cut-out on every move as well as on every resize; after each new
// cut-out it asks each of its child windows to refresh its picture (IBackgroundRefresh,
// which the skinned edits answer), so that edits on a moved panel follow at once.
//
// With a single border its client area starts 2 pixels inside its outer edge, so the
// background it offers its children is its cut-out shifted by those 2 pixels: a copy
// made on the first request and kept until the next cut-out.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/Panel.h"

class TBGPanel : public TBGControl<TPanel> {
 public:
  TBGPanel(TControl& parent, const TControlArgs& args, const TPanelOptions& options = {});

  // The cut-out, or with a single border the shifted copy of it.
  HBITMAP STDMETHODCALLTYPE GetBackground() override;

 protected:
  // For derived panels with a window class of their own.
  TBGPanel(TControl& parent, const TControlArgs& args, const TPanelOptions& options, const wchar_t* className);

  bool CutsOnMove() const override { return true; }
  void BackgroundCut() override;

 private:
  TSkinBitmap childBackground_;
};
