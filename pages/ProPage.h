// TProPage: what the professional DNS, records and hierarchy pages share as pages.
// A standard page shows its professional counterpart for viewing only by opening it
// with the snapshot flag set: the page then stays disabled on every refresh and shows
// its Back button, which returns to the standard page. So that the Back button stays
// usable on a disabled page, these pages keep an enabled flag of their own and
// disable only their content, never the page's window.
#pragma once
#include <string>

#include "skin/PicBtn.h"
#include "shell/frameBase.h"

// The snapshot buttons (SnapShot Professional on a standard page, SnapShot Back on a
// professional one): the faces of `face` from the program's folder, drawn over the
// window picture, sized to the face. Their captions, which the faces replace on the
// screen, say what they do for screen readers.
inline constexpr wchar_t kSnapshotCaption[] = L"查看专业版快照";
inline constexpr wchar_t kSnapshotBackCaption[] = L"返回标准页";
void DressSnapshotButton(TPicBtn& button, const wchar_t* face);
// For a page's WM_SETCURSOR: the hand cursor over `button`, as over a link. A child's
// default processing asks its parent first, so the page chooses the button's cursor.
// True when it set it.
bool ShowHandCursor(const TControl& button, WPARAM wParam, LPARAM lParam);

class TProPage : public TBaseFrame {
 public:
  // SnapShot Back: hidden unless the page is a snapshot.
  TPicBtn btnBack;

  bool STDMETHODCALLTYPE GetEnabled() override { return enabled_; }
  // Stores the flag and enables or disables the page's content when it differs.
  void STDMETHODCALLTYPE SetEnabled(bool value) override;
  // Stores the flag and shows btnBack exactly when it is set, above the page's other
  // controls: it lies on the page's content, which would otherwise cover it.
  void STDMETHODCALLTYPE SetSnapshot(bool value) override;

  // Closes the page on show and opens the section's standard page in its place.
  virtual void btnBackClick(TControl& sender) = 0;

 protected:
  TProPage(TControl& owner, const wchar_t* className, std::wstring name, int width,
           POINT backAt, int backTabOrder, int height = kDefaultHeight);

  // The page's own groups follow the enabled flag; the page has none of its own yet
  // beyond btnBack, which always stays usable.
  virtual void EnableContent(bool enabled) {}

  // btnBack shows the hand cursor, as a link does.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool enabled_ = true;
};
