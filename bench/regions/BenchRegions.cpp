// How much faster the traced window region of a picture button's face builds than the
// per-pixel one. Both are timed in the same run on the same 127 x 33 face, a rounded
// rectangle drawn by GDI on the transparent colour. The per-pixel cost grows with the
// number of transparent pixels and the traced one hardly at all, so the ratio is
// printed for a few faces: slightly rounded corners, a pill, and a rounded face inside
// a one-pixel transparent margin, each as a device-dependent bitmap and as a DIB section.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchUtil.h"
#include "skin/Regions.h"

namespace {

constexpr int kWidth = 127, kHeight = 33, kRounds = 25;
constexpr COLORREF kKey = RGB(255, 0, 255), kInk = RGB(20, 90, 160);

struct TFace {
  const char* name;
  int margin;    // transparent pixels around the face on every side
  int diameter;  // of the rounded corners
};

void DrawFace(HBITMAP bmp, const TFace& face) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldBmp = SelectObject(dc, bmp);
  HBRUSH key = CreateSolidBrush(kKey), ink = CreateSolidBrush(kInk);
  HPEN edge = CreatePen(PS_SOLID, 1, kInk);  // an outline of the fill's colour keeps the edges exact
  const RECT all{0, 0, kWidth, kHeight};
  FillRect(dc, &all, key);
  HGDIOBJ oldBrush = SelectObject(dc, ink);
  HGDIOBJ oldPen = SelectObject(dc, edge);
  RoundRect(dc, face.margin, face.margin, kWidth - face.margin, kHeight - face.margin, face.diameter, face.diameter);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldBmp);
  DeleteObject(key);
  DeleteObject(ink);
  DeleteObject(edge);
  DeleteDC(dc);
}

HBITMAP MakeDdb() {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, kWidth, kHeight);
  ReleaseDC(nullptr, screen);
  return bmp;
}

HBITMAP MakeDib() {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = kWidth;
  bi.bmiHeader.biHeight = -kHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// Milliseconds per call over a batch of `calls` calls.
double MsPerCall(const std::function<TRegion()>& build, int calls) {
  const double start = bench::NowMs();
  for (int i = 0; i < calls; ++i) {
    if (!build()) std::printf("no region!\n");
  }
  return (bench::NowMs() - start) / calls;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

int CountTransparent(HBITMAP bmp) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  int n = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) n += GetPixel(dc, x, y) == kKey;
  SelectObject(dc, old);
  DeleteDC(dc);
  return n;
}

void Measure(const TFace& shape, const char* kind, HBITMAP face) {
  DrawFace(face, shape);
  // The two alternate round by round, so a burst of load elsewhere on the machine
  // hits both sides of a ratio alike; the figures are medians over the rounds.
  std::vector<double> contours, pixels, ratios;
  MsPerCall([&] { return BitmapPixelRegion(face, kKey); }, 20);  // warm-up
  for (int round = 0; round < kRounds; ++round) {
    contours.push_back(MsPerCall([&] { return BitmapContourRegion(face, kKey); }, 500));
    pixels.push_back(MsPerCall([&] { return BitmapPixelRegion(face, kKey); }, 50));
    ratios.push_back(pixels.back() / contours.back());
  }
  const double contour = Median(contours), pixel = Median(pixels), ratio = Median(ratios);
  const std::string label = std::string("contour, ") + shape.name + ", " + kind;
  bench::Report(label.c_str(), contour, "per-pixel region", pixel, "<= 0.05x");
  std::printf("    %d transparent pixels: contour %.1f us, per-pixel %.1f us; contour %.1f times faster"
              " (median of the rounds' ratios; target 20: %s)\n",
              CountTransparent(face), contour * 1000, pixel * 1000, ratio, ratio >= 20 ? "met" : "missed");
  DeleteObject(face);
}

}  // namespace

int wmain() {
  std::printf("window region of a %d x %d button face, medians of %d rounds\n", kWidth, kHeight, kRounds);
  const TFace faces[] = {{"corners r11", 0, 22}, {"pill", 0, 33}, {"r11 in margin", 1, 22}};
  for (const TFace& face : faces) {
    Measure(face, "bitmap", MakeDdb());
    Measure(face, "DIB", MakeDib());
  }
  return 0;
}
