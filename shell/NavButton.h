// TNavButton: one of the main window's navigation buttons. The buttons of a group
// act as radio buttons: checking one unchecks the one checked before, and the old
// button's OnUnchecked runs before the new one's OnChecked, so the old page is
// closed before the new one opens. A push-like radio button shows the checked one
// pressed in.
#pragma once
#include "Control.h"

class TNavButton : public TControl {
 public:
  TNavButton(TControl& parent, const TControlArgs& args, int group);

  int Group() const noexcept { return group_; }
  bool Checked() const noexcept { return checked_; }
  // Checking unchecks the group's checked button first; setting the state the
  // button already has does nothing.
  void SetChecked(bool checked);

  TNotifyEvent OnChecked;
  TNotifyEvent OnUnchecked;

 protected:
  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TNavButton* CheckedSibling() const;

  int group_;
  bool checked_ = false;
};
