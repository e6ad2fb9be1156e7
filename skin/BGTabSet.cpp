#include "skin/BGTabSet.h"

TBGTabSet::TBGTabSet(TControl& parent, const TControlArgs& args, const TTabSetOptions& options)
    : TBGControl<TTabSet>(parent, args, options) {}
