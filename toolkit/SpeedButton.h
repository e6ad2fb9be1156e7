// TSpeedButton: a tool button with a glyph and an optional caption, pressed with the
// mouse; BM_CLICK, the default action that accessibility and automation tools invoke,
// clicks it too. A click never takes the keyboard focus. A button made a tab stop is
// also reached with Tab, shows a focus rectangle then, and Space (on its release) or
// Enter presses it. A flat one shows the parent behind it and raises its edge only
// while the pointer is over it. Buttons with the same non-zero GroupIndex under one
// parent act as a group: pushing one down raises the other; with AllowAllUp a click
// on the down button raises it as well.
#pragma once
#include "toolkit/ButtonGlyph.h"
#include "toolkit/CustomControl.h"
#include "toolkit/Hint.h"
#include "toolkit/Picture.h"

struct TSpeedButtonOptions {
  bool flat = true;
  int groupIndex = 0;
  bool allowAllUp = false;
  bool tabStop = false;  // fixed at creation
  TGlyphLayout glyph;
};

class TSpeedButton : public TCustomControl {
 public:
  TSpeedButton(TControl& parent, const TControlArgs& args, const TSpeedButtonOptions& options = {});

  // Every change of the glyph repaints the button.
  TPicture& Glyph() noexcept { return glyph_; }
  const TPicture& Glyph() const noexcept { return glyph_; }

  bool Down() const noexcept { return down_; }
  // Only a button of a group can be down; a down button goes up only with
  // AllowAllUp (or when another of its group goes down). Raises nothing.
  void SetDown(bool down);
  int GroupIndex() const noexcept { return options_.groupIndex; }
  void SetGroupIndex(int groupIndex);
  bool AllowAllUp() const noexcept { return options_.allowAllUp; }
  void SetAllowAllUp(bool allowAllUp) { options_.allowAllUp = allowAllUp; }
  bool Flat() const noexcept { return options_.flat; }
  void SetFlat(bool flat);
  const TGlyphLayout& Layout() const noexcept { return options_.glyph; }
  void SetLayout(const TGlyphLayout& layout);

  const std::wstring& Hint() const noexcept { return hint_.Text(); }
  void SetHint(const std::wstring& hint) { hint_.Set(Handle(), hint); }
  // A button that shows only its glyph is named by its hint.
  std::wstring AccessibleName() const override;

  // What a click does: the group's Down rules, then OnClick; nothing when disabled.
  void Click();
  // The pointer is over the button / the left button or Space is held on it.
  bool Hot() const noexcept { return hot_; }
  bool Pressed() const noexcept { return pressed_; }

  TNotifyEvent OnClick;

  // Enter on the focused button presses it.
  bool DialogKey(WPARAM key) override;

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  // What a flat button shows behind it while it is neither down nor pointed at: what
  // its parent paints there.
  virtual void PaintParentFace(HDC dc, const RECT& rect);
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintFrame(HDC dc, const RECT& rect);
  void RaiseGroup();
  void SetHot(bool hot);
  void SetPressed(bool pressed);

  TSpeedButtonOptions options_;
  TPicture glyph_;
  THint hint_;
  bool down_ = false;
  bool hot_ = false;
  bool pressed_ = false;
  bool tracking_ = false;  // the left button went down on us and is still held
  bool spaceHeld_ = false;  // Space went down on us and is still held
};
