// TPicture: a bitmap or an icon owned by a control (an image's picture, a button's
// glyph), with the ways the controls draw it: as it is, with the colour of its
// bottom-left pixel left out (transparent bitmaps, as glyphs are drawn), stretched,
// and greyed out for a disabled control. Icons always draw through their own mask.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/Handle.h"

class TPicture {
 public:
  // `changed` runs after every change of the contents (the owner repaints).
  explicit TPicture(std::function<void()> changed = {});
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  bool Empty() const noexcept { return !bitmap_ && !icon_; }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  HBITMAP Bitmap() const noexcept { return bitmap_.Get(); }  // null unless a bitmap is held
  HICON Icon() const noexcept { return icon_.Get(); }        // null unless an icon is held

  // Copies; a null handle or an empty picture empties this one.
  void Assign(const TPicture& other);
  void AssignBitmap(HBITMAP bitmap);
  void AssignIcon(HICON icon);
  // Keeps the icon itself, which the picture then destroys: for an icon made for it,
  // without the copy (a copy costs about as much as drawing a small icon anew).
  void TakeIcon(HICON icon);
  // Reads a .bmp or .ico file, or a BITMAP or ICON resource. Throws EError when it is
  // missing or unreadable; the picture is then unchanged.
  void LoadFromFile(const std::wstring& path);
  void LoadFromResource(HINSTANCE module, const wchar_t* name, bool icon = false);
  void Clear();

  // The colour a transparent bitmap leaves out: its bottom-left pixel (CLR_INVALID
  // for an icon or an empty picture).
  COLORREF TransparentColor() const;

  void Draw(HDC dc, int x, int y, bool transparent = false) const;
  void StretchDraw(HDC dc, const RECT& rect, bool transparent = false) const;
  // The picture's shape embossed in the highlight and shadow colours, as the
  // platform shows a disabled glyph; a bitmap's transparent colour stays out.
  void DrawDisabled(HDC dc, int x, int y) const;

 private:
  void Take(HBITMAP bitmap, HICON icon);
  void Changed();

  std::function<void()> changed_;
  TGdiObject<HBITMAP> bitmap_;
  TIconHandle icon_;
  int width_ = 0;
  int height_ = 0;
};
