#include "tests/skin/SkinTestUtil.h"

#include <cstdio>
#include <vector>

#include "toolkit/Application.h"

namespace skin_test {

TSkinForm::TSkinForm() : TBGForm(TBGForm::DefaultArgs(L"TSkinTest")) {}

COLORREF GradientAt(int x, int y) {
  return RGB(x & 0xFF, y & 0xFF, 0x40 + 4 * (x >> 8) + (y >> 8));
}

TSkinBitmap Gradient(int width, int height) {
  TSkinBitmap picture(width, height);
  uint32_t* bits = picture.Bits();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = GradientAt(x, y);
      bits[static_cast<size_t>(y) * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  return picture;
}

TSkinBitmap Face(int width, int height, COLORREF around, const RECT& shape, COLORREF inside) {
  TSkinBitmap face(width, height, around);
  TBitmapDC dc(face.Handle());
  HBRUSH brush = CreateSolidBrush(inside);
  FillRect(dc.DC(), &shape, brush);
  DeleteObject(brush);
  GdiFlush();
  return face;
}

std::wstring SaveBmp(const TSkinBitmap& picture, const std::wstring& folder, const std::wstring& name) {
  const int w = picture.Width(), h = picture.Height();
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;  // rows from the bottom, as files usually are
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * h;
  std::vector<unsigned char> rows(static_cast<size_t>(stride) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = picture.Pixel(x, y);
      unsigned char* p = &rows[static_cast<size_t>(h - 1 - y) * stride + x * 3];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  const std::wstring path = folder + name;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return path;
  fwrite(&file, sizeof file, 1, out);
  fwrite(&info, sizeof info, 1, out);
  fwrite(rows.data(), 1, rows.size(), out);
  fclose(out);
  return path;
}

TSkinBitmap Painted(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  TSkinBitmap result(client.right, client.bottom, RGB(1, 2, 3));
  if (result.Empty()) return result;
  {
    TBitmapDC dc(result.Handle());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.DC()), PRF_CLIENT);
  }
  GdiFlush();
  return result;
}

bool SameAs(const TSkinBitmap& actual, const TSkinBitmap& expected, int dx, int dy, std::string* where) {
  for (int y = 0; y < actual.Height(); ++y)
    for (int x = 0; x < actual.Width(); ++x)
      if (actual.Pixel(x, y) != expected.Pixel(x + dx, y + dy)) {
        if (where) {
          char text[128];
          std::snprintf(text, sizeof text, "pixel %d,%d is %06lx, expected %06lx", x, y,
                        static_cast<unsigned long>(actual.Pixel(x, y)),
                        static_cast<unsigned long>(expected.Pixel(x + dx, y + dy)));
          *where = text;
        }
        return false;
      }
  return true;
}

void Pump() { Application().ProcessMessages(); }

}  // namespace skin_test
