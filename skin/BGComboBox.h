// TBGComboBox: the combo box over the window picture: whatever the closed box paints in
// its own colour shows the picture, its frame, arrow button and text stay.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/ComboBox.h"

class TBGComboBox : public TBGControl<TComboBox> {
 public:
  TBGComboBox(TControl& parent, const TControlArgs& args, const TComboBoxOptions& options = {});
};
