#include "skin/BGRadioButton.h"

TBGRadioButton::TBGRadioButton(TControl& parent, const TControlArgs& args, bool leftText)
    : TBGStateButton<TRadioButton>(parent, args, leftText) {}
