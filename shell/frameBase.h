// TBaseFrame, the base of the main pages: frames placed in the main window's page
// area at 156, 68 (the page behaviour itself is TPageFrame's). All main pages share
// one background, cut once from the main window's picture, so every page shows the
// same cut-out and the skinned controls on any of them show the picture beneath.
//
// Also here: the steps every page factory shares (create once or show, snapshot
// argument, enabling, Refresh).
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "toolkit/ComPtr.h"
#include "shell/PageFrame.h"

class TBaseFrame : public TPageFrame {
 public:
  static constexpr int kDefaultWidth = 430;
  static constexpr int kDefaultHeight = 310;
  static constexpr POINT kOrigin = {156, 68};
  static constexpr int kBackgroundWidth = 450;
  static constexpr int kBackgroundHeight = 330;
  // A main page's place in its parent's tab order: in the main window after the six
  // navigation buttons (0 to 5) and before OK, Cancel and Apply. One page shows at a
  // time, so the pages share it.
  static constexpr int kTabOrder = 6;

  // A page of window class `className` (each page class names its own) at 156, 68 of
  // `parent`, Arial with a 12-pixel character height in the ANSI character set.
  TBaseFrame(TControl& parent, const wchar_t* className, std::wstring name,
             int width = kDefaultWidth, int height = kDefaultHeight);

  HBITMAP STDMETHODCALLTYPE GetBackground() override;

  // The page background shared by all main pages; empty until the first page that
  // finds a parent picture cuts it.
  static const TSkinBitmap& SharedBackground();
  // Frees the shared background, as at the program's end; the next page cuts it anew.
  static void FreeSharedBackground();

 protected:
  const TSkinBitmap& PageBackground() const override { return SharedBackground(); }
  // Obtains the parent's picture and cuts the shared background the first time.
  void UpdateBackground() override;
};

// The create-or-show step of a page factory (CreatePage alone makes the page ahead of
// its first opening, hidden, as the main window does while it is idle). The page lives in the unit's slot; it is
// created with `owner` as owner and parent on first use (hidden, with all its controls)
// and shown then and on every later use. A page whose owner's window has gone (a new
// main window) is replaced.
template <class TPage>
TPage& CreatePage(std::unique_ptr<TPage>& slot, TControl& owner) {
  if (!slot || !slot->Handle() || slot->Parent() != &owner) {
    slot.reset();
    slot = std::make_unique<TPage>(owner);
  }
  return *slot;
}

template <class TPage>
TPage& CreateOrShowPage(std::unique_ptr<TPage>& slot, TControl& owner) {
  TPage& page = CreatePage(slot, owner);
  page.Show();
  return page;
}

// The rest of a main page factory: the page's interface, the snapshot argument of the
// professional pages, enabling for the pages the navigation buttons open, Refresh.
// An exception from Refresh closes the page again and reaches the factory's caller.
struct TOpenPageArgs {
  bool enable = true;
  bool setSnapshot = false;
  bool snapshot = false;
};
TComPtr<IPageWrapper> OpenMainPage(IPageWrapper& page, const TOpenPageArgs& args);

// How the navigation buttons and a page's own buttons lead to another page of the main
// window `main`: closes the current page and makes the page that `show` opens there
// the current one. Should `show` fail (a field of the document cannot be read, the
// agent failed), the popup says why and the page the user came from shows again,
// still current.
//
// The keyboard focus is never left on the closed page, where Tab would go on among its
// hidden controls (under Wine it falls to the main window, where no key reaches a
// control). When it was on the closed page, or is on no control that can take it, it
// goes to the page now shown: back to the control the user left that page from when
// the user returns to it (from a record editor, the redirection wizard, a hierarchy
// dialog, the modification page or a snapshot), else where the page's refresh put it,
// else to its first Tab stop.
void ReplaceCurrentPage(TControl& main, const std::function<TComPtr<IPageWrapper>(TControl& main)>& show);
