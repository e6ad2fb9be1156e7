#include "toolkit/Picture.h"

#include <utility>

#include "toolkit/Exception.h"
#include "toolkit/Painting.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

namespace {

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bm{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  const TGdiObject<HBITMAP> color(info.hbmColor), mask(info.hbmMask);  // the icon's copies, ours to free
  return {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};  // a mono icon stacks AND over XOR
}

// A monochrome mask of `bitmap`: white where it shows `transparent`, black elsewhere.
TGdiObject<HBITMAP> MakeMask(HBITMAP bitmap, int width, int height, COLORREF transparent) {
  TGdiObject<HBITMAP> mask(CreateBitmap(width, height, 1, 1, nullptr));
  TBitmapDC source(bitmap), target(mask.Get());
  SetBkColor(source.DC(), transparent);
  BitBlt(target.DC(), 0, 0, width, height, source.DC(), 0, 0, SRCCOPY);
  return mask;
}

}  // namespace

TPicture::TPicture(std::function<void()> changed) : changed_(std::move(changed)) {}

TPicture::~TPicture() = default;

void TPicture::Take(HBITMAP bitmap, HICON icon) {
  bitmap_ = TGdiObject<HBITMAP>(bitmap);
  icon_ = TIconHandle(icon);
  width_ = height_ = 0;
  if (bitmap_) {
    BITMAP bm{};
    GetObjectW(bitmap_.Get(), sizeof bm, &bm);
    width_ = bm.bmWidth;
    height_ = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  } else if (icon_) {
    const SIZE size = IconSize(icon_.Get());
    width_ = size.cx;
    height_ = size.cy;
  }
  Changed();
}

void TPicture::Changed() {
  if (changed_) changed_();
}

void TPicture::Assign(const TPicture& other) {
  if (&other == this) return;
  if (other.bitmap_)
    AssignBitmap(other.bitmap_.Get());
  else if (other.icon_)
    AssignIcon(other.icon_.Get());
  else
    Clear();
}

void TPicture::AssignBitmap(HBITMAP bitmap) {
  if (!bitmap) return Clear();
  auto copy = static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!copy) throw EError(FormatResString(kTextPictureNotCopied, {}));
  Take(copy, nullptr);
}

void TPicture::AssignIcon(HICON icon) {
  if (!icon) return Clear();
  HICON copy = CopyIcon(icon);
  if (!copy) throw EError(FormatResString(kTextPictureNotCopied, {}));
  Take(nullptr, copy);
}

void TPicture::TakeIcon(HICON icon) {
  if (!icon) return Clear();
  Take(nullptr, icon);
}

void TPicture::LoadFromFile(const std::wstring& path) {
  if (auto bitmap = static_cast<HBITMAP>(
          LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)))
    return Take(bitmap, nullptr);
  if (auto icon = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)))
    return Take(nullptr, icon);
  throw EError(FormatResString(kTextPictureUnreadable, {path}));
}

void TPicture::LoadFromResource(HINSTANCE module, const wchar_t* name, bool icon) {
  HANDLE loaded = LoadImageW(module, name, icon ? IMAGE_ICON : IMAGE_BITMAP, 0, 0,
                             icon ? 0 : LR_CREATEDIBSECTION);
  const std::wstring what = IS_INTRESOURCE(name) ? std::to_wstring(reinterpret_cast<UINT_PTR>(name)) : name;
  if (!loaded) throw EError(FormatResString(kTextPictureResourceUnreadable, {what}));
  if (icon)
    Take(nullptr, static_cast<HICON>(loaded));
  else
    Take(static_cast<HBITMAP>(loaded), nullptr);
}

void TPicture::Clear() {
  if (Empty()) return;
  Take(nullptr, nullptr);
}

COLORREF TPicture::TransparentColor() const {
  if (!bitmap_ || height_ == 0) return CLR_INVALID;
  TBitmapDC source(bitmap_.Get());
  return GetPixel(source.DC(), 0, height_ - 1);
}

void TPicture::Draw(HDC dc, int x, int y, bool transparent) const {
  StretchDraw(dc, {x, y, x + width_, y + height_}, transparent);
}

void TPicture::StretchDraw(HDC dc, const RECT& rect, bool transparent) const {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  if (icon_) {
    DrawIconEx(dc, rect.left, rect.top, icon_.Get(), w, h, 0, nullptr, DI_NORMAL);
    return;
  }
  if (!bitmap_) return;
  // Before the bitmap is selected here: a bitmap can be selected into one DC only.
  const COLORREF key = transparent ? TransparentColor() : CLR_INVALID;
  TBitmapDC source(bitmap_.Get());
  if (transparent) {
    TransparentBlt(dc, rect.left, rect.top, w, h, source.DC(), 0, 0, width_, height_, key);
  } else {
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, w, h, source.DC(), 0, 0, width_, height_, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
  }
}

void TPicture::DrawDisabled(HDC dc, int x, int y) const {
  if (icon_) {
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon_.Get()), 0, x, y, width_, height_,
               DST_ICON | DSS_DISABLED);
    return;
  }
  if (!bitmap_) return;
  // Every pixel that is not the transparent colour is part of the shape, drawn in the
  // highlight colour one pixel down and right, then in the shadow colour in place:
  // the platform's embossed look.
  const TGdiObject<HBITMAP> mask = MakeMask(bitmap_.Get(), width_, height_, TransparentColor());
  {
    TBitmapDC maskDC(mask.Get());
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD kPatternWhereBlack = 0x00B8074A;  // (D ^ P) & S ^ P: P where the mask is 0
    for (const auto& [dx, colour] : {std::pair{1, COLOR_BTNHIGHLIGHT}, std::pair{0, COLOR_BTNSHADOW}}) {
      const TGdiObject<HBRUSH> brush(CreateSolidBrush(GetSysColor(colour)));
      TDCSelect select(dc, brush.Get());
      BitBlt(dc, x + dx, y + dx, width_, height_, maskDC.DC(), 0, 0, kPatternWhereBlack);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
  }
}
