// TLinkLabel: a label that acts as a link on the account pages: blue, underlined, the
// hand cursor over it, and a click event. A plain label lets the mouse pass through to
// its parent (a static without SS_NOTIFY answers HTTRANSPARENT), so this one claims
// the hit test itself to receive the click. It keeps the skinned label's see-through
// background. Also here: the small icons the pages draw in code beside their rows and
// groups, and the drawing routine behind them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "skin/BGLabel.h"
#include "toolkit/Event.h"

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
};

// The size of `text` in `control`'s font, for labels that take their caption's size.
SIZE CaptionSize(const TControl& control, const std::wstring& text);

// A size x size icon drawn by `draw` on a pure black ground; the mask leaves out
// whatever stayed pure black. The caller owns the icon.
HICON MakeDrawnIcon(int size, const std::function<void(HDC)>& draw);
// Fills and outlines the shape that `shape` draws on `dc` in one colour.
void FillShape(HDC dc, COLORREF colour, const std::function<void()>& shape);

// The account pages' 16 x 16 icons, drawn in code: a key (the account key rows) and a
// round marker (the decorative row icons). The caller owns the icon.
HICON MakeKeyIcon();
HICON MakeRowIcon(COLORREF colour);
