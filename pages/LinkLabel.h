// TLinkLabel: a label that acts as a link on the account pages: blue, underlined, the
// hand cursor over it, and a click event. A plain label lets the mouse pass through to
// its parent (a static without SS_NOTIFY answers HTTRANSPARENT), so this one claims
// the hit test itself to receive the click. It keeps the skinned label's see-through
// background. For the keyboard it is a Tab stop with the dotted focus mark, pressed as a
// push button is: Space on its release, Enter at once. The pages' drawn icons and the
// caption sizes (PageLayout) come with this header.
#pragma once
#include <windows.h>

#include <string>

#include "skin/BGLabel.h"
#include "pages/PageIcons.h"
#include "pages/PageLayout.h"
#include "toolkit/Event.h"
#include "toolkit/Painting.h"
#include "toolkit/Handle.h"

class TLinkLabel : public TBGLabel {
 public:
  static constexpr COLORREF kLinkColor = RGB(0, 0, 255);

  // The width and height are taken from the caption in the parent's font when the
  // args leave them 0.
  TLinkLabel(TControl& parent, const TControlArgs& args);
  ~TLinkLabel() override;

  // Fires OnClick as a release of the mouse button over the label would.
  void Click();
  TNotifyEvent OnClick;

 protected:
  void PaintText(HDC dc, const RECT& rect) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TGdiObject<HFONT> underlined_;  // the label's font with an underline, made on first paint
  bool pressed_ = false;
  bool spaceHeld_ = false;
  TFocusCues focusCues_;
};

