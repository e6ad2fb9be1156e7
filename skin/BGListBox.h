// TBGListBox: the list box over the window picture. The native list repaints single
// entries directly on the screen, in its plain colours, whenever the selection or the
// caret moves; so the skinned list repaints itself composed after every mouse press,
// every sweep to another entry and every key, and draws the selection itself:
// - a multiple-selection list fills each selected entry, and each entry of the range
//   being swept with the mouse, in the highlight colour with its text in white, and
//   then asks (kDrawFocusMessage, posted, so it comes after the face reached the
//   screen) for the focus rectangle around the caret's entry;
// - a single-selection list asks the native list to select its entry again, so that
//   the native highlight is drawn over the composed face.
// Losing the focus repaints nothing more than the native list does.
#pragma once
#include "skin/BGControl.h"
#include "toolkit/ListBox.h"

class TBGListBox : public TBGControl<TListBox> {
 public:
  // Posted to itself with an entry's index: selects that entry again if it is still
  // the selected one (a selection that changed meanwhile is left alone).
  static constexpr UINT kReselectMessage = WM_USER + 101;

  TBGListBox(TControl& parent, const TControlArgs& args, const TListBoxOptions& options = {});

  // The entry where the present mouse press began; -1 when no button is held.
  int AnchorItem() const noexcept { return anchorItem_; }

 protected:
  bool RepaintsOnFocusLoss() const override { return false; }
  void PaintOverFace(HDC dc) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool Swept(int index, int current) const;
  bool FullyVisible(const RECT& rect) const;
  void PaintSelection(HDC dc, int index, const RECT& rect);
  void PaintMultiSelection(HDC dc);
  void AskReselect();
  LRESULT Mouse(UINT msg, WPARAM wParam, LPARAM lParam);

  int lastItem_ = -1;
  int anchorItem_ = -1;
  bool focusPending_ = false;
  bool reselectPending_ = false;
  bool hasFocus_ = false;
};
