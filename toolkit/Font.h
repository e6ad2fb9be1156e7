// Fonts shared between a container and its controls. A form creates its font once;
// every control placed on it takes the same font object, which lives as long as the
// last control that uses it (a GDI font must outlive every window it was set on).
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "toolkit/Handle.h"

struct TFontDesc {
  std::wstring face;         // empty: the system's message font
  int height = 0;            // character height in pixels; 0: the face's default size
  BYTE charset = DEFAULT_CHARSET;
  int weight = FW_NORMAL;
};

class TFont {
 public:
  explicit TFont(const TFontDesc& desc);
  ~TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  HFONT Handle() const noexcept { return handle_.Get(); }
  // The face actually chosen (the system message font's name for an empty face).
  const std::wstring& Face() const noexcept { return face_; }
  // The logical height in pixels (negative: character height, as in LOGFONT).
  int LogicalHeight() const noexcept { return logicalHeight_; }

 private:
  TGdiObject<HFONT> handle_;
  std::wstring face_;
  int logicalHeight_ = 0;
};

using TFontRef = std::shared_ptr<const TFont>;

TFontRef MakeFont(const TFontDesc& desc);
