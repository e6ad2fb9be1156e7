#include "skin/BGCheckBox.h"

TBGCheckBox::TBGCheckBox(TControl& parent, const TControlArgs& args, bool leftText)
    : TBGStateButton<TCheckBox>(parent, args, leftText) {}
