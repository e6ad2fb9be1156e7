// TStdControl: what the subclassed standard controls (edits, memos, list boxes, combo
// boxes, check boxes, radio buttons, group boxes, track bars, up-downs) share beyond
// TControl: a background colour and a text colour of their own, given to the control
// through the reflected WM_CTLCOLOR* messages, and the focus and keyboard events.
//
// The background colour is also the colour a skinned control treats as transparent,
// so every control paints exactly Color() wherever it shows its background (the
// up-down alone keeps the button face: the platform does not ask for its colour).
//
// Events from code. Text controls (edit, memo) raise OnChange for every real change of
// their text, typed or set by code; check boxes, radio buttons and track bars raise
// their event when code changes their state too, as the pages expect. Selection
// controls (list box, combo box, tab set, draw grid) and up-downs raise their events
// only for the user's input. Pages detach a handler (assign nullptr) while they load
// values into a control and attach it again afterwards.
#pragma once
#include <functional>

#include "toolkit/Control.h"
#include "toolkit/Handle.h"

// Single: the sunken two-pixel client edge (WS_EX_CLIENTEDGE).
enum class TBorderStyle { None, Single };

DWORD BorderExStyle(TBorderStyle border);
// What a window shows: Single when it has the sunken client edge.
TBorderStyle BorderStyleOf(const TControl& control);

// WM_CHAR: the handler may change the character or set it to 0 to drop it.
using TKeyPressEvent = std::function<void(TControl& sender, wchar_t& key)>;
// WM_KEYDOWN: the handler may set the virtual key to 0 to drop it.
using TKeyEvent = std::function<void(TControl& sender, WORD& key)>;

// Sets a flag for one scope and restores the value it had, so nested scopes work.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = saved_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

// Keeps a control from painting for one scope, so that the user sees only the result
// of a series of changes; the control is repainted whole however the scope ends.
// WM_SETREDRAW works by clearing and setting WS_VISIBLE, so a control that is hidden
// by its own flag is left alone (it would be shown at the end).
class TNoRedraw {
 public:
  explicit TNoRedraw(TControl& control);
  ~TNoRedraw();
  TNoRedraw(const TNoRedraw&) = delete;
  TNoRedraw& operator=(const TNoRedraw&) = delete;

 private:
  TControl& control_;
  bool shown_;
};

class TStdControl : public TControl {
 public:
  ~TStdControl() override;

  COLORREF Color() const noexcept { return color_; }
  void SetColor(COLORREF color);
  COLORREF FontColor() const noexcept { return fontColor_; }
  void SetFontColor(COLORREF color);

  TNotifyEvent OnEnter;  // after the control received the keyboard focus
  TNotifyEvent OnExit;   // after it lost it
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyDown;

 protected:
  TStdControl(TControl& parent, const TControlArgs& args, COLORREF color);

  // The answer to a WM_CTLCOLOR* message: the colours set into `dc`, the brush
  // returned. Valid until the colour changes or the control goes.
  HBRUSH CtlColor(HDC dc);

  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  COLORREF color_;
  COLORREF fontColor_;
  TGdiObject<HBRUSH> brush_;
};

