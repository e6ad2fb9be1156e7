#include "skin/SkinBitmap.h"

#include <algorithm>
#include <utility>

#include "toolkit/Exception.h"
#include "toolkit/Handle.h"
#include "toolkit/Painting.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

namespace {

uint32_t ToPixel(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}

}  // namespace

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm) return SIZE{0, 0};
  return SIZE{bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
}

// ---- TSkinBitmap ----

TSkinBitmap::TSkinBitmap(int width, int height, COLORREF fill) { SetSize(width, height, fill); }

TSkinBitmap::~TSkinBitmap() { Clear(); }

TSkinBitmap::TSkinBitmap(TSkinBitmap&& other) noexcept
    : bitmap_(std::move(other.bitmap_)),
      bits_(std::exchange(other.bits_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

TSkinBitmap& TSkinBitmap::operator=(TSkinBitmap&& other) noexcept {
  if (this != &other) {
    Clear();
    bitmap_ = std::move(other.bitmap_);
    bits_ = std::exchange(other.bits_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

void TSkinBitmap::Clear() noexcept {
  bitmap_.Reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

void TSkinBitmap::SetSize(int width, int height, COLORREF fill) {
  if (width < 1 || height < 1) {
    Clear();
    return;
  }
  if (width != width_ || height != height_) {
    void* bits = nullptr;
    TGdiObject<HBITMAP> bitmap = MakeTopDownDib(width, height, &bits);
    if (!bitmap || !bits) {
      throw EError(FormatResString(kTextPictureTooLarge,
                                   {std::to_wstring(width) + L" x " + std::to_wstring(height)}));
    }
    Clear();
    bitmap_ = std::move(bitmap);
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
  }
  Fill(fill);
}

void TSkinBitmap::Fill(COLORREF colour) {
  if (!bits_) return;
  GdiFlush();  // pending GDI drawing must not land after the fill
  std::fill_n(bits_, static_cast<size_t>(width_) * height_, ToPixel(colour));
}

void TSkinBitmap::Assign(HBITMAP source) {
  if (source == bitmap_.Get()) return;
  const SIZE size = BitmapSize(source);
  if (size.cx < 1 || size.cy < 1) {
    Clear();
    return;
  }
  TSkinBitmap copy(size.cx, size.cy);
  BITMAPINFO info = TopDownDibInfo(size.cx, size.cy);
  // GetDIBits converts any format (a loaded 24-bit file, a device bitmap) to ours.
  const int lines = GetDIBits(TWindowDC(nullptr).Get(), source, 0, static_cast<UINT>(size.cy), copy.bits_,
                              &info, DIB_RGB_COLORS);
  if (lines != size.cy) throw EError(FormatResString(kTextPictureUnreadable, {}));
  *this = std::move(copy);
}

void TSkinBitmap::LoadFromFile(const std::wstring& path) {
  const TGdiObject<HBITMAP> image(static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (!image) throw EError(FormatResString(kTextPictureUnreadable, {path}));
  try {
    Assign(image.Get());
  } catch (...) {
    throw EError(FormatResString(kTextPictureUnreadable, {path}));
  }
}

void TSkinBitmap::LoadFromResource(HINSTANCE module, const wchar_t* name) {
  const TGdiObject<HBITMAP> image(
      static_cast<HBITMAP>(LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  const std::wstring label =
      IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<uintptr_t>(name)) : name;
  if (!image) throw EError(FormatResString(kTextPictureResourceUnreadable, {label}));
  try {
    Assign(image.Get());
  } catch (...) {
    throw EError(FormatResString(kTextPictureResourceUnreadable, {label}));
  }
}

void TSkinBitmap::CopyFrom(HBITMAP source, int x, int y, COLORREF outside) {
  if (!bitmap_) return;
  Fill(outside);
  const SIZE size = BitmapSize(source);
  // The part of the wanted rectangle that the source covers, in source coordinates.
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min<int>(x + width_, size.cx);
  const int bottom = std::min<int>(y + height_, size.cy);
  if (right <= left || bottom <= top) return;
  TBitmapDC from(source);
  TBitmapDC to(bitmap_.Get());
  if (!from.DC() || !to.DC()) return;
  BitBlt(to.DC(), left - x, top - y, right - left, bottom - top, from.DC(), left, top, SRCCOPY);
  GdiFlush();
}

COLORREF TSkinBitmap::Pixel(int x, int y) const noexcept {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  const uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void TSkinBitmap::Draw(HDC dc, int x, int y) const {
  if (!bitmap_) return;
  TBitmapDC from(bitmap_.Get());
  if (from.DC()) BitBlt(dc, x, y, width_, height_, from.DC(), 0, 0, SRCCOPY);
}

void TSkinBitmap::StretchDraw(HDC dc, const RECT& area) const {
  if (!bitmap_) return;
  TBitmapDC from(bitmap_.Get());
  if (!from.DC()) return;
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, from.DC(), 0,
             0, width_, height_, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

void TSkinBitmap::DrawTransparent(HDC dc, int x, int y, int width, int height, COLORREF key) const {
  if (!bitmap_) return;
  const int w = std::min(width, width_);
  const int h = std::min(height, height_);
  if (w < 1 || h < 1) return;
  TBitmapDC from(bitmap_.Get());
  if (from.DC()) TransparentBlt(dc, x, y, w, h, from.DC(), 0, 0, w, h, key);
}
