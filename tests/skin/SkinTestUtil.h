// Shared pieces of the skin tests: a skinned test form, pictures whose every pixel
// tells where it came from, BMP files written on the fly, and a window's painting read
// back from a memory bitmap.
#pragma once
#include <windows.h>

#include <string>

#include "skin/BGSource.h"
#include "skin/SkinBitmap.h"
#include "skin/frmBackground.h"

namespace skin_test {

// A hidden skinned form of class "TSkinTest" with one skin source.
class TSkinForm : public TBGForm {
 public:
  TSkinForm();
  TBGSource BGSource1{*this};
};

// A picture in which every pixel has its own colour: red = x mod 256, green = y mod
// 256, blue = 0x40 + 4 * (x / 256) + y / 256. It never holds pure magenta.
TSkinBitmap Gradient(int width, int height);
COLORREF GradientAt(int x, int y);

// A face: `around` everywhere except the rectangle `shape`, which is `inside`.
TSkinBitmap Face(int width, int height, COLORREF around, const RECT& shape, COLORREF inside);

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Writes the picture as a 24-bit BMP file and returns its path.
std::wstring SaveBmp(const TSkinBitmap& picture, const std::wstring& folder, const std::wstring& name);

// The window's client area as it paints it into a memory bitmap (WM_PRINTCLIENT).
TSkinBitmap Painted(HWND window);

// True when every pixel of `actual` equals the pixel of `expected` at the same place
// shifted by dx, dy; the first difference is described in `where`.
bool SameAs(const TSkinBitmap& actual, const TSkinBitmap& expected, int dx, int dy,
            std::string* where = nullptr);

// Dispatches every queued message.
void Pump();

}  // namespace skin_test
