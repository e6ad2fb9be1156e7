// TLabel: a line or block of static text. It is a real STATIC window whose window
// text is the caption, so screen readers and tests read what the user reads, but it
// draws the text itself (owner-drawn, through the reflected WM_DRAWITEM): the native
// static cannot centre or right-align text without wrapping it.
#pragma once
#include "toolkit/Control.h"

enum class TAlignment { Left, Center, Right };

class TLabel : public TControl {
 public:
  TLabel(TControl& parent, const TControlArgs& args, TAlignment alignment = TAlignment::Left,
         bool wordWrap = false);

  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // Off: lines break only at line breaks in the caption and are clipped at the edge.
  bool WordWrap() const noexcept { return wordWrap_; }
  void SetWordWrap(bool wordWrap);

 protected:
  // The two steps of drawing, for labels that draw over a picture instead of a colour.
  // The background comes from the parent's answer to WM_CTLCOLORSTATIC, as for any
  // static; the text in its colour (grey when disabled), '&' shown as it is.
  virtual void PaintBackground(HDC dc, const RECT& rect);
  virtual void PaintText(HDC dc, const RECT& rect);

  UINT TextFormat() const;
  std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TAlignment alignment_;
  bool wordWrap_;
};
