// TBaseFrame2, the base of the secondary pages: frames that a main page hosts inside
// a rectangle of its own (usually the bounds of a bevel). Unlike the main pages, each
// keeps its own background, cut from its host's picture to its own place and size
// on every resize, so a host can place secondary pages anywhere. Reference counting
// is the page's own, as for the main pages.
#pragma once
#include <memory>
#include <string>
#include <type_traits>

#include "toolkit/ComPtr.h"
#include "shell/PageFrame.h"

class TBaseFrame2 : public TPageFrame {
 public:
  static constexpr int kDefaultWidth = 320;
  static constexpr int kDefaultHeight = 240;

  // A page of window class `className` at 0, 0 of `host` until its factory places it.
  TBaseFrame2(TControl& host, const wchar_t* className, std::wstring name,
              int width = kDefaultWidth, int height = kDefaultHeight);
  // A page created in its place: `rect` in the host's client area.
  TBaseFrame2(TControl& host, const wchar_t* className, std::wstring name, const RECT& rect);

  HBITMAP STDMETHODCALLTYPE GetBackground() override { return background_.Handle(); }

  const TSkinBitmap& Background() const noexcept { return background_; }
  // Cuts the own background anew from the host's picture at the page's place and size.
  void UpdateBackground() override;

 protected:
  const TSkinBitmap& PageBackground() const override { return background_; }

 private:
  TSkinBitmap background_;
};

// The secondary-page factory's steps (CreateSecondaryPage alone makes the page ahead
// of its first showing, hidden). The page lives in the host's own slot: created
// on first use with the host as owner and parent (hidden, with all its controls, as a
// main page is) and placed over `rect`, and shown then and on every later use. Then its
// interface, SetEnabled(true) for the pages that ask for it, and Refresh.
//
// A page whose constructor takes the rectangle (TPage(host, rect)) is created in its
// place. That is what a page with skinned controls needs: each control cuts its
// picture from the page's background once, when it is created, and a page moved or
// resized afterwards would leave its controls showing the picture of the place and
// size it was created with.
template <class TPage>
void CreateSecondaryPage(std::unique_ptr<TPage>& slot, TControl& host, const RECT& rect) {
  if (slot && slot->Handle() && slot->Parent() == &host) return;
  slot.reset();
  if constexpr (std::is_constructible_v<TPage, TControl&, const RECT&>)
    slot = std::make_unique<TPage>(host, rect);
  else
    slot = std::make_unique<TPage>(host);
  slot->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  // A move without a resize brings no WM_SIZE; the cut-out must follow the place too.
  slot->UpdateBackground();
}

// The page made if need be and shown, but not loaded: for a host whose own refresh
// follows and loads it.
template <class TPage>
TComPtr<IPageWrapper> ShowUnloadedSecondaryPage(std::unique_ptr<TPage>& slot, TControl& host, const RECT& rect) {
  CreateSecondaryPage(slot, host, rect);
  slot->Show();
  return TComPtr<IPageWrapper>(static_cast<IPageWrapper*>(slot.get()));
}

template <class TPage>
TComPtr<IPageWrapper> ShowSecondaryPage(std::unique_ptr<TPage>& slot, TControl& host,
                                        const RECT& rect, bool enable) {
  TComPtr<IPageWrapper> result = ShowUnloadedSecondaryPage(slot, host, rect);
  if (enable) result->SetEnabled(true);
  result->Refresh();
  return result;
}
