// TRadioButton: a radio button grouped with the other radio buttons of the same parent
// (not by WS_GROUP, which depends on creation order): checking one unchecks the
// others. OnClick runs when the button becomes checked, by a click or by code; an
// unchecked sibling raises nothing.
//
// The keyboard: every radio button is a tab stop, so Tab reaches each one in its
// parent's tab order, even where other controls lie between the buttons of a group
// (the fields that belong to a choice); Space checks the focused button. The arrow
// keys move to the previous or next usable button of the group, passing over the
// other controls and round at the ends, and check it, as in a dialog. The platform
// clicks a radio button that the focus reaches unchecked; that click is dropped
// unless the focus came with a press of the mouse on the button, so Tab and focus set
// by code choose nothing.
#pragma once
#include <vector>

#include "toolkit/StdControl.h"

class TRadioButton : public TStdControl {
 public:
  TRadioButton(TControl& parent, const TControlArgs& args, bool leftText = false);

  bool Checked() const;
  void SetChecked(bool checked);

  TNotifyEvent OnClick;

 protected:
  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void UncheckSiblings();
  // The radio buttons of this one's group, in their parent's tab order.
  std::vector<TRadioButton*> Group() const;
  // Focuses and checks the next usable button of the group (or the previous one).
  void MoveInGroup(bool forward);

  bool mousePress_ = false;  // inside the platform's handling of a press on the button
  bool focusing_ = false;    // inside its handling of the focus gained otherwise
};
