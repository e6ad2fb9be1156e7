#include "skin/BGPanel.h"

TBGPanel::TBGPanel(TControl& parent, const TControlArgs& args, const TPanelOptions& options)
    : TBGPanel(parent, args, options, L"TBGPanel") {}

TBGPanel::TBGPanel(TControl& parent, const TControlArgs& args, const TPanelOptions& options,
                   const wchar_t* className)
    : TBGControl<TPanel>(parent, args, options, className) {}

HBITMAP TBGPanel::GetBackground() {
  if (BorderStyle() != TBorderStyle::Single) return Background().Handle();
  if (childBackground_.Empty() && !Background().Empty()) {
    const int b = BorderOffset();
    childBackground_.SetSize(Background().Width() - 2 * b, Background().Height() - 2 * b);
    childBackground_.CopyFrom(Background().Handle(), b, b);
  }
  return childBackground_.Handle();
}

void TBGPanel::BackgroundCut() {
  childBackground_.Clear();
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (auto refresh = QueryWindowInterface<IBackgroundRefresh>(child, IID_IBackgroundRefresh))
      refresh->RefreshBackground();
}
