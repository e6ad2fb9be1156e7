// TBitBtn: a push button with a glyph beside, above or below its caption, drawn by the
// toolkit (an owner-drawn BUTTON whose WM_DRAWITEM comes back to it): the face in
// Color(), the caption in FontColor(), a raised frame that sinks while the button is
// held, a dark outline and the focus rectangle while it has the focus. DrawFace paints
// the whole face into any DC, so a derived button can paint it off screen and lay it
// over a picture. Clicks raise OnClick as for any TButton.
#pragma once
#include "toolkit/Button.h"
#include "toolkit/ButtonGlyph.h"
#include "toolkit/Picture.h"

class TBitBtn : public TButton {
 public:
  TBitBtn(TControl& parent, const TControlArgs& args, const TGlyphLayout& layout = {});

  // Every change of the glyph repaints the button.
  TPicture& Glyph() noexcept { return glyph_; }
  const TPicture& Glyph() const noexcept { return glyph_; }
  const TGlyphLayout& Layout() const noexcept { return layout_; }
  void SetLayout(const TGlyphLayout& layout);
  COLORREF Color() const noexcept { return color_; }
  void SetColor(COLORREF color);
  COLORREF FontColor() const noexcept { return fontColor_; }
  void SetFontColor(COLORREF color);

 protected:
  // Paints the face for the owner-draw state (ODS_SELECTED: held, ODS_FOCUS,
  // ODS_DISABLED) into `dc`, which has the button's font selected.
  virtual void DrawFace(HDC dc, const RECT& rect, UINT state);

  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TGlyphLayout layout_;
  TPicture glyph_;
  COLORREF color_;
  COLORREF fontColor_;
};
