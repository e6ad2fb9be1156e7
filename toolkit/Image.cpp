#include "toolkit/Image.h"

#include "toolkit/Painting.h"

TImage::TImage(TControl& parent, const TControlArgs& args, const TImageOptions& options)
    : TCustomControl(parent, args), options_(options), picture_([this] { PictureChanged(); }) {}

void TImage::PictureChanged() {
  if (options_.autoSize && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
}

void TImage::SetCenter(bool center) {
  options_.center = center;
  Invalidate();
}

void TImage::SetStretch(bool stretch) {
  options_.stretch = stretch;
  Invalidate();
}

void TImage::SetTransparent(bool transparent) {
  options_.transparent = transparent;
  Invalidate();
}

void TImage::SetAutoSize(bool autoSize) {
  options_.autoSize = autoSize;
  if (autoSize) PictureChanged();
}

RECT TImage::PictureRect() const {
  const RECT client = ClientRect();
  if (options_.stretch) return client;
  RECT rect{0, 0, picture_.Width(), picture_.Height()};
  if (options_.center)
    OffsetRect(&rect, (client.right - picture_.Width()) / 2, (client.bottom - picture_.Height()) / 2);
  return rect;
}

void TImage::PaintBackground(HDC dc, const RECT& clip) { PaintParentBackground(Handle(), dc, clip); }

void TImage::Paint(HDC dc, const RECT& clip) {
  PaintBackground(dc, clip);
  if (picture_.Empty()) return;
  picture_.StretchDraw(dc, PictureRect(), options_.transparent);
}
