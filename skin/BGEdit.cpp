#include "skin/BGEdit.h"

TBGEdit::TBGEdit(TControl& parent, const TControlArgs& args, const TEditOptions& options)
    : TBGControl<TEdit>(parent, args, options) {}

void TBGEdit::RefreshBackground() { Cut(); }

HRESULT TBGEdit::QueryInterface(REFIID iid, void** out) {
  if (out && iid == IID_IBackgroundRefresh) {
    *out = static_cast<IBackgroundRefresh*>(this);
    return S_OK;
  }
  return TBGControl<TEdit>::QueryInterface(iid, out);
}
