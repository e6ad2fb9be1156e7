// TPageFrame, what the two page bases share: a frame driven through IPageWrapper
// (enabled state, snapshot flag, Refresh, Close) that offers its background through
// IBackgroundProvider and paints it behind its controls. Reference counting is the
// page's own: a page lives until its owner goes, whatever references are held. The
// main pages (TBaseFrame) and the secondary pages (TBaseFrame2) differ only in which
// background they keep and when they cut it.
#pragma once
#include "skin/Background.h"
#include "toolkit/Frame.h"
#include "shell/PageWrapper.h"
#include "skin/SkinBitmap.h"

class TPageFrame : public TFrame,
                   public TStaticUnknownOf<TComInterface<IPageWrapper, IID_IPageWrapper>, TBackgroundProviderInterface> {
 public:
  // Virtual operations of every page, in the slot order of IPageWrapper.
  bool STDMETHODCALLTYPE GetEnabled() override;
  // Changes the window's enabled state when it differs; a disabled page disables
  // everything on it.
  void STDMETHODCALLTYPE SetEnabled(bool value) override;
  bool STDMETHODCALLTYPE GetSnapshot() override { return snapshot_; }
  void STDMETHODCALLTYPE SetSnapshot(bool value) override { snapshot_ = value; }
  // Enabled exactly when not a snapshot and a user profile is held. Pages load their
  // controls first and call this last.
  void STDMETHODCALLTYPE Refresh() override;
  void STDMETHODCALLTYPE Close() override;
  // Shows the page again (the factory's step for an existing page).
  void Show();


  int ShowPageMessage(int number, UINT style);

  // True when the keyboard focus is on the page or on one of its controls.
  bool HasFocus() const;
  // Gives the page the keyboard focus: to `preferred` when it is a control of the page
  // that can take it (where the user came from), else to where the page's refresh put
  // it, else to the page's first Tab stop; a field given the focus that way has its text
  // chosen, as a dialog's first field has. False when no control of the page can take it.
  bool TakeFocus(HWND preferred = nullptr);

  // The buttons Enter and Escape press on this page, when they are shown and enabled:
  // the page's OK, and its own Back or Cancel. Either may be null.
  void SetDefaultButton(TControl* button) noexcept { defaultButton_ = button; }
  void SetCancelButton(TControl* button) noexcept { cancelButton_ = button; }
  bool DialogKey(WPARAM key) override;

  // The parent's picture this page cut from; null until obtained.
  HBITMAP ParentBackground() const noexcept { return parentBackground_; }

 protected:
  // A frame of window class `className`, Arial with a 12-pixel character height in
  // the ANSI character set.
  TPageFrame(TControl& parent, const TControlArgs& args, const wchar_t* className);

  // The bitmap painted behind the controls; an empty one leaves the frame's colour.
  virtual const TSkinBitmap& PageBackground() const;
  // Cuts the page's background from the parent's picture (on every resize).
  virtual void UpdateBackground() {}
  // The parent's picture, asked for once; null when the parent offers none.
  HBITMAP ObtainParentBackground();

  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HBITMAP parentBackground_ = nullptr;
  bool snapshot_ = false;
  TControl* defaultButton_ = nullptr;
  TControl* cancelButton_ = nullptr;
};

// Information style (64): the resource string goes to the notification popup and the
// result is 0. Any other style: a modal box owned by `owner`, with the resource string
// as text and the application title as caption; the result is the box's answer.
inline constexpr UINT kPopupMessageStyle = MB_ICONINFORMATION;
// A question whose answer may lose the user's work: Yes or No, No the default.
inline constexpr UINT kQuestionStyle = MB_YESNO | MB_DEFBUTTON2;
int ShowPageMessage(HWND owner, int number, UINT style);
