// TBGEdit: the single-line edit over the window picture. Besides the common skinned
// painting it takes its cut-out anew whenever it moves, not only when it is resized,
// and answers IBackgroundRefresh, through which a skinned panel makes the edits on it
// cut their pictures again after the panel itself moved.
//
// Without the focus, a text too long for the edit ends in an ellipsis where the edit
// would cut a letter in half; with the focus the edit shows its text as it always
// does, caret and scrolling included. The text itself, what screen readers read as
// the edit's value, stays whole.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/Edit.h"

class TBGEdit : public TBGControl<TEdit, TBackgroundRefreshInterface> {
  using TBase = TBGControl<TEdit, TBackgroundRefreshInterface>;

 public:
  TBGEdit(TControl& parent, const TControlArgs& args, const TEditOptions& options = {});

  // Cuts the background anew from the parent and repaints.
  void STDMETHODCALLTYPE RefreshBackground() override;


 protected:
  bool CutsOnMove() const override { return true; }
  void PaintFace(HDC dc) override;
};
