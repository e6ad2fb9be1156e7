// TImage: shows a bitmap or an icon. It is a real child window, but looks like a
// picture laid on its parent: it first paints what the parent shows behind it, then
// the picture over it, so an icon's transparent pixels and (when Transparent is on) a
// bitmap's transparent colour, its bottom-left pixel, show the parent.
#pragma once
#include "toolkit/CustomControl.h"
#include "toolkit/Picture.h"

struct TImageOptions {
  bool center = false;       // the picture centred instead of at the top-left corner
  bool stretch = false;      // the picture stretched over the whole control
  bool transparent = false;  // a bitmap's bottom-left colour left out
  bool autoSize = false;     // the control takes the picture's size
};

class TImage : public TCustomControl {
 public:
  TImage(TControl& parent, const TControlArgs& args, const TImageOptions& options = {});

  // Every change of the picture repaints the control (and sizes it, with AutoSize).
  TPicture& Picture() noexcept { return picture_; }
  const TPicture& Picture() const noexcept { return picture_; }

  bool Center() const noexcept { return options_.center; }
  void SetCenter(bool center);
  bool Stretch() const noexcept { return options_.stretch; }
  void SetStretch(bool stretch);
  bool Transparent() const noexcept { return options_.transparent; }
  void SetTransparent(bool transparent);
  bool AutoSize() const noexcept { return options_.autoSize; }
  void SetAutoSize(bool autoSize);

  // Where the picture lies in the client area.
  RECT PictureRect() const;

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  // What lies behind the picture: what the parent paints there.
  virtual void PaintBackground(HDC dc, const RECT& clip);

 private:
  void PictureChanged();

  TImageOptions options_;
  TPicture picture_;
};
