#include "shell/frmMsg.h"

#include <algorithm>

#include "shell/Common.h"
#include "toolkit/Exception.h"
#include "skin/SkinFaces.h"

namespace {

// A tool window so it has no taskbar button; topmost so the main window does not
// cover it; no-activate so showing or clicking it leaves the focus where it was.
constexpr DWORD kPopupStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD kPopupExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;

}  // namespace

TMsgForm::TMsgForm()
    : TBGForm({.name = L"MsgForm",
               .className = kClassName,
               .caption = kCaption,
               .clientWidth = kClientWidth,
               .clientHeight = kClientHeight,
               .style = kPopupStyle,
               .exStyle = kPopupExStyle,
               .font = {.face = L"SimSun", .height = 12, .charset = GB2312_CHARSET}}),
      BGSource1(*this),
      labMsg(*this, {.name = L"labMsg", .left = 32, .top = 48, .width = 141, .height = 49},
             TAlignment::Left, true),
      PicBtn1(*this, {.name = L"PicBtn1", .left = 171, .top = 11, .width = 13, .height = 13, .caption = L"关闭"}),
      SlideTimer({.name = L"SlideTimer", .interval = kSlideInterval, .enabled = false}),
      HideTimer({.name = L"HideTimer", .interval = kHideInterval, .enabled = false}) {
  PicBtn1.SetPicStyle(TPicStyle::psNormal);
  LoadButtonFaces(PicBtn1, GetExeDir(), L"PopupClose");
  PicBtn1.OnClick = [this](TControl& s) { PicBtn1Click(s); };
  SlideTimer.OnTimer = [this](TTimer& s) { SlideTimerTimer(s); };
  HideTimer.OnTimer = [this](TTimer& s) { HideTimerTimer(s); };
  OnClose = [this](TForm& s, bool& canClose) { FormClose(s, canClose); };
  FormCreate();
}

TMsgForm::~TMsgForm() {
  SlideTimer.SetEnabled(false);
  HideTimer.SetEnabled(false);
}

void TMsgForm::FormCreate() {
  try {
    BGSource1.LoadFromFile(GetExeDir() + L"popup.bmp");
  } catch (const EError&) {
    // Without its picture the popup keeps its size and plain colour.
  }
  SlideTimer.SetEnabled(false);
  HideTimer.SetEnabled(false);
  fullHeight_ = Height();
  // Read once: a later change of the screen or the taskbar does not move the popup.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetWindowPos(Handle(), nullptr, work.right - Width() - 2, work.bottom + 2, Width(), 0,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMsgForm::SetText(const std::wstring& text) { labMsg.SetCaption(text); }

void TMsgForm::ShowText(const std::wstring& text) {
  SetText(text);
  SlideIn();
}

void TMsgForm::SlideIn() {
  if (IsWindowVisible(Handle())) return;
  hiding_ = false;
  // Shown without activation; WM_SHOWWINDOW starts the hide timer.
  ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  SlideTimer.SetEnabled(true);
}

void TMsgForm::SlideOut() {
  if (!IsWindowVisible(Handle())) return;
  hiding_ = true;
  SlideTimer.SetEnabled(true);
}

void TMsgForm::FormShow() { HideTimer.SetEnabled(true); }
void TMsgForm::FormHide() { HideTimer.SetEnabled(false); }

void TMsgForm::SlideTimerTimer(TTimer&) { SlideStep(); }

void TMsgForm::SlideStep() {
  const RECT bounds = BoundsRect();
  const int height = bounds.bottom - bounds.top;
  if (!hiding_) {
    if (height >= fullHeight_) {
      SlideTimer.SetEnabled(false);
      return;
    }
    // The top moves a full step even on the last, shorter one, so the bottom ends a
    // pixel above where the window grew from.
    Place(bounds.top - kStep, std::min(height + kStep, fullHeight_));
    return;
  }
  if (ClientHeight() <= kStep) {
    SlideTimer.SetEnabled(false);
    ShowWindow(Handle(), SW_HIDE);
    return;
  }
  Place(bounds.top + kStep, height - kStep);
}

void TMsgForm::Place(int top, int height) {
  const RECT bounds = BoundsRect();
  SetWindowPos(Handle(), nullptr, bounds.left, top, bounds.right - bounds.left, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TMsgForm::HideTimerTimer(TTimer&) { SlideOut(); }
void TMsgForm::PicBtn1Click(TControl&) { SlideOut(); }

void TMsgForm::FormClose(TForm&, bool& canClose) {
  SlideOut();
  canClose = false;
}

LRESULT TMsgForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SHOWWINDOW:
      if (wParam)
        FormShow();
      else
        FormHide();
      break;
    case WM_MOUSEACTIVATE:
      // A click on the popup (its close button included) leaves the focus alone.
      return MA_NOACTIVATE;
  }
  return TBGForm::WndProc(msg, wParam, lParam);
}
