#include "skin/BGUpDown.h"

TBGUpDown::TBGUpDown(TControl& parent, const TControlArgs& args, const TUpDownOptions& options)
    : TBGControl<TUpDown>(parent, args, options) {}
