#include "skin/BGGroupBox.h"

TBGGroupBox::TBGGroupBox(TControl& parent, const TControlArgs& args) : TBGControl<TGroupBox>(parent, args) {}
