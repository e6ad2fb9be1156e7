// TBGGroupBox: the group box over the window picture. Its frame and caption stay; its
// inside shows the picture, and its cut-out is the background it offers the skinned
// controls placed in it.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/GroupBox.h"

class TBGGroupBox : public TBGControl<TGroupBox> {
 public:
  TBGGroupBox(TControl& parent, const TControlArgs& args);
};
