#include "pages/ProPage.h"

#include "shell/Common.h"
#include "skin/SkinFaces.h"

TProPage::TProPage(TControl& owner, const wchar_t* className, std::wstring name, int width,
                   POINT backAt, int backTabOrder)
    : TBaseFrame(owner, className, std::move(name), width),
      btnBack(*this, {.name = L"btnBack", .left = backAt.x, .top = backAt.y, .width = 95,
                      .height = 16, .caption = L"SnapShot Back", .tabOrder = backTabOrder,
                      .visible = false}) {
  LoadButtonFaces(btnBack, GetExeDir(), L"SnapBack");
  btnBack.SetPicStyle(TPicStyle::psTransparent);
  btnBack.SetAutoSize(true);
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
}

LRESULT TProPage::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A child's default processing asks its parent first, so the page can choose the
  // button's cursor; the hourglass of a long action is set by the button itself and
  // never gets here.
  if (msg == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == btnBack.Handle() &&
      LOWORD(lParam) == HTCLIENT) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return TBaseFrame::WndProc(msg, wParam, lParam);
}
