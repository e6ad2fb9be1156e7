#include "pages/ProPage.h"

#include "shell/Common.h"
#include "skin/SkinFaces.h"

TProPage::TProPage(TControl& owner, const wchar_t* className, std::wstring name, int width,
                   POINT backAt, int backTabOrder, int height)
    : TBaseFrame(owner, className, std::move(name), width, height),
      btnBack(*this, {.name = L"btnBack", .left = backAt.x, .top = backAt.y, .width = 95,
                      .height = 16, .caption = kSnapshotBackCaption, .tabOrder = backTabOrder,
                      .visible = false}) {
  DressSnapshotButton(btnBack, L"SnapBack");
  btnBack.OnClick = [this](TControl& s) { btnBackClick(s); };
  SetCancelButton(&btnBack);  // shown on a snapshot only
}

void TProPage::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  EnableContent(value);
}

void TProPage::SetSnapshot(bool value) {
  TBaseFrame::SetSnapshot(value);
  btnBack.SetVisible(value);
  // The button lies over the page's content, which comes before it in the tab order
  // and so above it in the z-order, where it would hide the button and take its
  // clicks. On a snapshot the content is disabled: the button is the only Tab stop
  // either way.
  if (value)
    SetWindowPos(btnBack.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT TProPage::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETCURSOR && ShowHandCursor(btnBack, wParam, lParam)) return TRUE;
  return TBaseFrame::WndProc(msg, wParam, lParam);
}

void DressSnapshotButton(TPicBtn& button, const wchar_t* face) {
  LoadButtonFaces(button, GetExeDir(), face);
  button.SetPicStyle(TPicStyle::psTransparent);
  button.SetAutoSize(true);
}

bool ShowHandCursor(const TControl& button, WPARAM wParam, LPARAM lParam) {
  // The hourglass of a long action is set by the button itself and never gets here.
  if (reinterpret_cast<HWND>(wParam) != button.Handle() || LOWORD(lParam) != HTCLIENT) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}
