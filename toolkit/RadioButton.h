// TRadioButton: a radio button grouped with the other radio buttons of the same parent
// (not by WS_GROUP, which depends on creation order): checking one unchecks the
// others. OnClick runs when the button becomes checked, by a click or by code; an
// unchecked sibling raises nothing. Only the checked button of a group is a tab stop,
// as in a dialog, because the platform clicks a radio button that the keyboard focus
// reaches unchecked.
#pragma once
#include "toolkit/StdControl.h"

class TRadioButton : public TStdControl {
 public:
  TRadioButton(TControl& parent, const TControlArgs& args, bool leftText = false);

  bool Checked() const;
  void SetChecked(bool checked);

  TNotifyEvent OnClick;

 protected:
  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetState(bool checked);
  void UncheckSiblings();
};
