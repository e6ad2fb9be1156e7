// TLinkLabel: a label that acts as a link on the account pages: blue, underlined, the
// hand cursor over it, and a click event. A plain label lets the mouse pass through to
// its parent (a static without SS_NOTIFY answers HTTRANSPARENT), so this one claims
// the hit test itself to receive the click. It keeps the skinned label's see-through
// background. For the keyboard it is a Tab stop with the dotted focus mark, pressed as a
// push button is: Space on its release, Enter at once. Also here: the args of caption
// labels sized to their text; the pages' drawn icons come with this header from
// PageIcons.
#pragma once
#include <windows.h>

#include <string>

#include "skin/BGLabel.h"
#include "pages/PageIcons.h"
#include "toolkit/Event.h"
#include "toolkit/Painting.h"

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
  HFONT underlined_ = nullptr;  // the label's font with an underline, made on first paint
  bool pressed_ = false;
  bool spaceHeld_ = false;
  TFocusCues focusCues_;
};

// The size of `text` in `control`'s font, for labels that take their caption's size.
SIZE CaptionSize(const TControl& control, const std::wstring& text);

// The args of a caption label at its designed place, sized to its text in the font of
// `sizer` (the page, whose font its controls share).
TControlArgs CaptionArgs(const TControl& sizer, const wchar_t* name, int left, int top,
                         const wchar_t* text);
