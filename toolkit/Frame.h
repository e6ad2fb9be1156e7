// TFrame: a child container of our own class, placed at a position inside a form or
// another frame; the pages derive from it. WS_EX_CONTROLPARENT makes the dialog
// manager walk into it, so Tab moves through its controls as through the form's.
#pragma once
#include "toolkit/CustomControl.h"

class TFrame : public TCustomControl {
 public:
  TFrame(TControl& parent, const TControlArgs& args);

 protected:
  // For derived containers with a window class of their own (a page's class names
  // it for tests and accessibility tools).
  TFrame(TControl& parent, const TControlArgs& args, const wchar_t* className);
};
