// TBGRadioButton: the radio button over the window picture, repainted after every
// change of its check or pushed state as the skinned check box is (BGCheckBox.h).
#pragma once
#include "skin/BGCheckBox.h"
#include "toolkit/RadioButton.h"

class TBGRadioButton : public TBGStateButton<TRadioButton> {
 public:
  TBGRadioButton(TControl& parent, const TControlArgs& args, bool leftText = false);
};
