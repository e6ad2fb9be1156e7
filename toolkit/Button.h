// TButton: the standard push button. The parent hands BN_CLICKED back to the button,
// which raises OnClick.
#pragma once
#include "toolkit/Control.h"

class TButton : public TControl {
 public:
  TButton(TControl& parent, const TControlArgs& args);

  // What a click does: OnClick, unless the button is disabled. A disabled window gets
  // no mouse or keyboard input, but BM_CLICK and synthesised messages still reach it.
  void Click();

  TNotifyEvent OnClick;

 protected:
  // For buttons of other styles (owner-drawn, default push button).
  TButton(TControl& parent, const TControlArgs& args, DWORD style);

  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
