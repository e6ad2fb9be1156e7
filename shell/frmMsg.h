// TMsgForm, the notification popup: a small borderless window on "popup.bmp" that
// slides up out of the bottom-right corner of the work area, stays eight seconds from
// the moment it first appeared and slides down again. Most of the program's messages
// (confirmations, agent errors) go here instead of a modal box. It is created once,
// after the main window, and lives until the program ends; a close only slides it out.
// It never takes the focus from the main window.
//
// Its clock is its two timers; tests drive SlideTimerTimer and HideTimerTimer
// directly and read the timers' enabled state.
#pragma once
#include <string>

#include "skin/BGLabel.h"
#include "skin/BGSource.h"
#include "skin/PicBtn.h"
#include "toolkit/Timer.h"
#include "skin/frmBackground.h"

class TMsgForm : public TBGForm {
 public:
  static constexpr wchar_t kClassName[] = L"TMsgForm";
  static constexpr int kClientWidth = 193;
  static constexpr int kClientHeight = 99;
  static constexpr int kStep = 5;  // pixels per slide tick
  static constexpr UINT kSlideInterval = 10;
  static constexpr UINT kHideInterval = 8000;
  // The window's text, which screen readers read as its name (it has no title bar).
  static constexpr wchar_t kCaption[] = L"维特兰诺消息";

  TMsgForm();
  ~TMsgForm() override;

  TBGSource BGSource1;
  TBGLabel labMsg;
  TPicBtn PicBtn1;
  TTimer SlideTimer;
  TTimer HideTimer;

  // Puts the text into labMsg; a shown window shows it at once.
  void SetText(const std::wstring& text);
  std::wstring Text() const { return labMsg.Caption(); }
  // SetText, then SlideIn: what ShowMessageText does.
  void ShowText(const std::wstring& text);

  // Starts sliding in; nothing when the window is already visible (also while it
  // slides out: the new text then goes with it).
  void SlideIn();
  // Starts sliding out a visible window.
  void SlideOut();
  // The direction of the running slide: false in, true out.
  bool Hiding() const noexcept { return hiding_; }
  int FullHeight() const noexcept { return fullHeight_; }

  void SlideTimerTimer(TTimer& sender);
  void HideTimerTimer(TTimer& sender);
  void PicBtn1Click(TControl& sender);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void FormCreate();
  void FormClose(TForm& sender, bool& canClose);
  void FormShow();
  void FormHide();
  void SlideStep();
  // Moves the window to top with height, keeping left and width, redrawn.
  void Place(int top, int height);

  int fullHeight_ = kClientHeight;
  bool hiding_ = false;
};
