#include "shell/frameBase2.h"

TBaseFrame2::TBaseFrame2(TControl& host, const wchar_t* className, std::wstring name, int width,
                         int height)
    : TPageFrame(host, {.name = std::move(name), .width = width, .height = height, .visible = false},
                 className) {
  UpdateBackground();
}

TBaseFrame2::TBaseFrame2(TControl& host, const wchar_t* className, std::wstring name, const RECT& rect)
    : TPageFrame(host,
                 {.name = std::move(name), .left = rect.left, .top = rect.top, .width = rect.right - rect.left,
                  .height = rect.bottom - rect.top, .visible = false},
                 className) {
  UpdateBackground();
}

void TBaseFrame2::UpdateBackground() {
  HBITMAP parent = ObtainParentBackground();
  if (!parent) return;
  background_.SetSize(Width(), Height());
  background_.CopyFrom(parent, Left(), Top());
  Invalidate();
}
