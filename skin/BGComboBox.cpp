#include "skin/BGComboBox.h"

TBGComboBox::TBGComboBox(TControl& parent, const TControlArgs& args, const TComboBoxOptions& options)
    : TBGControl<TComboBox>(parent, args, options) {}
