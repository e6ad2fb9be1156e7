// TGroupBox: the standard group box, used as a container: controls created with it as
// their parent lie inside its frame, their notifications are handed back to them as
// for any parent of ours, and the Tab key walks into it. Its caption sits on the
// frame. The native group box does not paint its inside; this one fills it with
// Color(), as the background it gives its children.
#pragma once
#include "toolkit/StdControl.h"

class TGroupBox : public TStdControl {
 public:
  TGroupBox(TControl& parent, const TControlArgs& args);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
