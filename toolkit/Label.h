// TLabel: a line or block of static text. It is a real STATIC window whose window
// text is the caption, so screen readers and tests read what the user reads, but it
// draws the text itself (owner-drawn, through the reflected WM_DRAWITEM): the native
// static cannot centre or right-align text without wrapping it. A line that does not
// fit ends in an ellipsis; the window text stays whole.
//
// A label names the field it is the focus control of: screen readers read the static
// text just before a field in z-order as its name, and the label keeps that place.
// TFieldName names a field whose label on screen is no static text.
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

  // The field this label names (a sibling); see TControl::SetLabelFor.
  TControl* FocusControl() const noexcept { return LabelFor(); }
  void SetFocusControl(TControl& field) { SetLabelFor(&field); }

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

// The name of a field whose label on screen is no static text (an edit beside the
// radio button that chooses it, a list under a sentence, an edit named by a part of
// the picture): an invisible label just before the field. The platform's naming
// reads invisible static text too, and what the eye sees stays as it was. Its id is
// the static's -1, so the ids of the controls around it do not move.
class TFieldName : public TLabel {
 public:
  static constexpr int kStaticId = -1;

  TFieldName(TControl& field, const std::wstring& name);
};
