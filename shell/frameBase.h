// TBaseFrame, the base of the main pages: frames placed in the main window's page
// area at 156, 68. A page is driven through IPageWrapper (enabled state, snapshot
// flag, Refresh, Close) and offers its background through IBackgroundProvider, so the
// skinned controls on it show the window picture beneath them. All main pages share
// one background, cut once from the main window's picture, so every page shows the
// same cut-out. Reference counting is the page's own: a page lives until its owner
// goes, whatever references are held.
//
// Also here: the steps every page factory shares (create once or show, snapshot
// argument, enabling, Refresh) and ShowPageMessage.
#pragma once
#include <memory>
#include <string>

#include "Background.h"
#include "ComPtr.h"
#include "Frame.h"
#include "PageWrapper.h"
#include "SkinBitmap.h"

// The message-box style whose messages go to the notification popup instead.
inline constexpr UINT kPopupMessageStyle = MB_ICONINFORMATION;

// Information style (64): the resource string goes to the notification popup and the
// result is 0. Any other style: a modal box owned by `owner`, with the resource string
// as text and the application title as caption; the result is the box's answer.
int ShowPageMessage(HWND owner, int number, UINT style);

class TBaseFrame : public TFrame, public IPageWrapper, public IBackgroundProvider {
 public:
  static constexpr int kDefaultWidth = 430;
  static constexpr int kDefaultHeight = 310;
  static constexpr POINT kOrigin = {156, 68};
  static constexpr int kBackgroundWidth = 450;
  static constexpr int kBackgroundHeight = 330;

  // A page of window class `className` (each page class names its own) at 156, 68 of
  // `parent`, Arial with a 12-pixel character height in the ANSI character set.
  TBaseFrame(TControl& parent, const wchar_t* className, std::wstring name,
             int width = kDefaultWidth, int height = kDefaultHeight);

  // Virtual operations of every page, in the slot order of IPageWrapper.
  HBITMAP STDMETHODCALLTYPE GetBackground() override;
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

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  int ShowPageMessage(int number, UINT style);

  // The parent's picture this page cut from; null until obtained.
  HBITMAP ParentBackground() const noexcept { return parentBackground_; }
  // The page background shared by all main pages; empty until the first page that
  // finds a parent picture cuts it.
  static const TSkinBitmap& SharedBackground();
  // Frees the shared background, as at the program's end; the next page cuts it anew.
  static void FreeSharedBackground();

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // Obtains the parent's picture and cuts the shared background the first time.
  void UpdateBackground();

 private:
  HBITMAP parentBackground_ = nullptr;
  bool snapshot_ = false;
};

// The create-or-show step of a page factory. The page lives in the unit's slot; it is
// created with `owner` as owner and parent on first use and shown on every later one.
// A page whose owner's window has gone (a new main window) is replaced.
template <class TPage>
TPage& CreateOrShowPage(std::unique_ptr<TPage>& slot, TControl& owner) {
  if (slot && slot->Handle() && slot->Parent() == &owner) {
    slot->Show();
    return *slot;
  }
  slot.reset();
  slot = std::make_unique<TPage>(owner);
  return *slot;
}

// The rest of a main page factory: the page's interface, the snapshot argument of the
// professional pages, enabling for the pages the navigation buttons open, Refresh.
// An exception from Refresh reaches the factory's caller.
struct TOpenPageArgs {
  bool enable = true;
  bool setSnapshot = false;
  bool snapshot = false;
};
TComPtr<IPageWrapper> OpenMainPage(IPageWrapper& page, const TOpenPageArgs& args);
