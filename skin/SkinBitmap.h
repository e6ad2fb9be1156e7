// TSkinBitmap: the pictures of the skin (a window's background, a control's cut-out,
// a button face) as owned 32-bit top-down DIB sections. Owning the pixels as a DIB
// lets the painting code read a face's key colour and the tests read exact colours,
// and a bitmap that is never left selected into a DC can be drawn from any DC at any
// time (a GDI bitmap can be selected into only one DC at once).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/Painting.h"  // TBitmapDC, which the skin draws through

class TSkinBitmap {
 public:
  TSkinBitmap() = default;
  // A width x height bitmap filled with `fill`.
  TSkinBitmap(int width, int height, COLORREF fill = RGB(0, 0, 0));
  ~TSkinBitmap();
  TSkinBitmap(const TSkinBitmap&) = delete;
  TSkinBitmap& operator=(const TSkinBitmap&) = delete;
  TSkinBitmap(TSkinBitmap&& other) noexcept;
  TSkinBitmap& operator=(TSkinBitmap&& other) noexcept;

  // Null while the bitmap is empty (0 x 0).
  HBITMAP Handle() const noexcept { return bitmap_.Get(); }
  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  bool Empty() const noexcept { return !bitmap_; }

  // A new size with every pixel `fill`; a size below 1 in either direction empties it.
  // Throws EError when the system has no room for the pixels.
  void SetSize(int width, int height, COLORREF fill = RGB(0, 0, 0));
  void Clear() noexcept;
  void Fill(COLORREF colour);

  // Copies the size and the pixels of any GDI bitmap; a null or invalid handle empties
  // this one.
  void Assign(HBITMAP source);
  void Assign(const TSkinBitmap& source) { Assign(source.Handle()); }
  // Reads a BMP file. Throws EError naming the file when it is missing or not a
  // picture; this bitmap is then unchanged.
  void LoadFromFile(const std::wstring& path);
  // Reads a BITMAP resource of the module. Throws EError as LoadFromFile.
  void LoadFromResource(HINSTANCE module, const wchar_t* name);

  // Fills this bitmap, at its present size, with the rectangle of `source` whose
  // top-left corner is x, y. Pixels for which the source has nothing (the rectangle
  // reaches past its edge) become `outside`.
  void CopyFrom(HBITMAP source, int x, int y, COLORREF outside = RGB(0, 0, 0));

  // The colour at x, y as a COLORREF; 0 outside the bitmap.
  COLORREF Pixel(int x, int y) const noexcept;
  // The pixels, rows from the top, each 0x00RRGGBB in its low 24 bits; null when empty.
  // Call GdiFlush before reading pixels that GDI has just drawn.
  const uint32_t* Bits() const noexcept { return bits_; }
  uint32_t* Bits() noexcept { return bits_; }

  // Draws the bitmap at its natural size with its top-left corner at x, y.
  void Draw(HDC dc, int x, int y) const;
  // Draws the bitmap stretched over `area`, colour on colour (no blending, so a key
  // colour stays exact).
  void StretchDraw(HDC dc, const RECT& area) const;
  // Copies the bitmap onto dc at x, y leaving out every pixel of colour `key`; only
  // the part that fits in width x height is drawn.
  void DrawTransparent(HDC dc, int x, int y, int width, int height, COLORREF key) const;

 private:
  TGdiObject<HBITMAP> bitmap_;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// The size of any GDI bitmap; 0 x 0 for a null or invalid handle.
SIZE BitmapSize(HBITMAP bitmap);
