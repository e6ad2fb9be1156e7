// TCheckBox: the standard check box. OnClick runs after the user toggled it and also
// after code changed Checked (the platform's own check box tells its parent only of
// clicks), so a page that loads a value detaches OnClick first and attaches it again
// afterwards; setting the state it already has raises nothing.
#pragma once
#include "toolkit/StdControl.h"

class TCheckBox : public TStdControl {
 public:
  // leftText: the caption left of the box.
  TCheckBox(TControl& parent, const TControlArgs& args, bool leftText = false);

  bool Checked() const;
  void SetChecked(bool checked);

  TNotifyEvent OnClick;

 protected:
  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
