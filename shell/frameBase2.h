// TBaseFrame2, the base of the secondary pages: frames that a main page hosts inside
// a rectangle of its own (usually the bounds of a bevel). Unlike the main pages, each
// keeps its own background, cut from its host's picture to its own place and size
// on every resize, so a host can place secondary pages anywhere. Reference counting
// is the page's own, as for the main pages.
#pragma once
#include <memory>
#include <string>

#include "Background.h"
#include "ComPtr.h"
#include "Frame.h"
#include "PageWrapper.h"
#include "SkinBitmap.h"

class TBaseFrame2 : public TFrame, public IPageWrapper, public IBackgroundProvider {
 public:
  static constexpr int kDefaultWidth = 320;
  static constexpr int kDefaultHeight = 240;

  // A page of window class `className` at 0, 0 of `host` until its factory places it.
  TBaseFrame2(TControl& host, const wchar_t* className, std::wstring name,
              int width = kDefaultWidth, int height = kDefaultHeight);

  HBITMAP STDMETHODCALLTYPE GetBackground() override { return background_.Handle(); }
  bool STDMETHODCALLTYPE GetEnabled() override;
  void STDMETHODCALLTYPE SetEnabled(bool value) override;
  bool STDMETHODCALLTYPE GetSnapshot() override { return snapshot_; }
  void STDMETHODCALLTYPE SetSnapshot(bool value) override { snapshot_ = value; }
  // Enabled exactly when not a snapshot and a user profile is held.
  void STDMETHODCALLTYPE Refresh() override;
  void STDMETHODCALLTYPE Close() override;
  void Show();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  int ShowPageMessage(int number, UINT style);

  HBITMAP ParentBackground() const noexcept { return parentBackground_; }
  const TSkinBitmap& Background() const noexcept { return background_; }
  // Cuts the own background anew from the host's picture at the page's place and size.
  void UpdateBackground();

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HBITMAP parentBackground_ = nullptr;
  TSkinBitmap background_;
  bool snapshot_ = false;
};

// The secondary-page factory's steps. The page lives in the host's own slot: created
// on first use with the host as owner and parent and placed over `rect`, shown on
// every later use. Then its interface, SetEnabled(true) for the pages that ask for it,
// and Refresh.
template <class TPage>
TComPtr<IPageWrapper> ShowSecondaryPage(std::unique_ptr<TPage>& slot, TControl& host,
                                        const RECT& rect, bool enable) {
  if (slot && slot->Handle() && slot->Parent() == &host) {
    slot->Show();
  } else {
    slot.reset();
    slot = std::make_unique<TPage>(host);
    slot->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    // A move without a resize brings no WM_SIZE; the cut-out must follow the place too.
    slot->UpdateBackground();
  }
  TComPtr<IPageWrapper> result(static_cast<IPageWrapper*>(slot.get()));
  if (enable) result->SetEnabled(true);
  result->Refresh();
  return result;
}
