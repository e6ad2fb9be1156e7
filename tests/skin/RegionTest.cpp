// The two bitmap regions on real GDI bitmaps: the per-pixel region must be exact, the
// traced one must cover the shape's outer outline except for single corner pixels and
// never spill onto the background around it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "skin/Regions.h"

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);  // the transparent colour
constexpr COLORREF kInk = RGB(20, 90, 160);

// Which pixels of a bitmap belong to the shape.
struct TMask {
  int w = 0, h = 0;
  std::vector<char> on;
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && on[y * w + x]; }
};

TMask MakeMask(int w, int h, const std::function<bool(int, int)>& inside) {
  TMask m{w, h, std::vector<char>(w * h)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) m.on[y * w + x] = inside(x, y);
  return m;
}

// A 32-bit DIB section painted from the mask; `keyAlpha` goes into the unused top
// byte of the transparent pixels, as some painting code leaves it.
HBITMAP MakeBitmap(const TMask& m, uint32_t keyAlpha = 0) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = m.w;
  bi.bmiHeader.biHeight = -m.h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* px = static_cast<uint32_t*>(bits);
  for (int i = 0; i < m.w * m.h; ++i) px[i] = m.on[i] ? 0x00145AA0u : (keyAlpha << 24) | 0x00FF00FFu;
  return bmp;
}

// The 127 x 33 face of a picture button: a filled rounded rectangle drawn by GDI (no
// anti-aliasing) on the transparent colour, in a device-dependent bitmap.
HBITMAP DrawButtonFace(TMask* shape) {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 127, 33);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ oldBmp = SelectObject(dc, bmp);
  HBRUSH key = CreateSolidBrush(kKey), ink = CreateSolidBrush(kInk);
  HPEN edge = CreatePen(PS_SOLID, 1, kInk);
  const RECT all{0, 0, 127, 33};
  FillRect(dc, &all, key);
  HGDIOBJ oldBrush = SelectObject(dc, ink);
  HGDIOBJ oldPen = SelectObject(dc, edge);
  RoundRect(dc, 0, 0, 127, 33, 22, 22);
  *shape = MakeMask(127, 33, [&](int x, int y) { return GetPixel(dc, x, y) != kKey; });
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldBmp);
  DeleteObject(key);
  DeleteObject(ink);
  DeleteObject(edge);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bmp;
}

// The shape with its holes filled: every pixel not reachable from beyond the bitmap's
// border through background pixels.
TMask OuterOutline(const TMask& m) {
  const int W = m.w + 2, H = m.h + 2;  // a one-pixel frame of background all round
  std::vector<char> outside(W * H);
  std::vector<std::pair<int, int>> todo{{0, 0}};
  outside[0] = 1;
  while (!todo.empty()) {
    auto [x, y] = todo.back();
    todo.pop_back();
    const int nx[4] = {x + 1, x - 1, x, x}, ny[4] = {y, y, y + 1, y - 1};
    for (int i = 0; i < 4; ++i) {
      if (nx[i] < 0 || ny[i] < 0 || nx[i] >= W || ny[i] >= H) continue;
      char& o = outside[ny[i] * W + nx[i]];
      if (o || m.At(nx[i] - 1, ny[i] - 1)) continue;
      o = 1;
      todo.push_back({nx[i], ny[i]});
    }
  }
  return MakeMask(m.w, m.h, [&](int x, int y) { return !outside[(y + 1) * W + x + 1]; });
}

struct TDiff {
  std::vector<POINT> missing;  // pixels of the expectation the region leaves out
  std::vector<POINT> extra;    // pixels the region covers beyond the expectation
};

TDiff Compare(HRGN region, const TMask& expected) {
  TDiff d;
  for (int y = -2; y < expected.h + 2; ++y) {
    for (int x = -2; x < expected.w + 2; ++x) {
      const bool want = expected.At(x, y), got = PtInRegion(region, x, y) != FALSE;
      if (want && !got) d.missing.push_back({x, y});
      if (!want && got) d.extra.push_back({x, y});
    }
  }
  return d;
}

// What the traced region promises against the outer outline of the traced shape:
// nothing beyond the outline, and of the outline only corner pixels missing, each a
// pixel on the edge (a neighbour outside) and no two side by side, since every cut is
// a one-pixel diagonal across a convex corner.
void ExpectOutlineUpToCornerCuts(HRGN region, const TMask& shape, size_t maxMissing) {
  const TMask outline = OuterOutline(shape);
  const TDiff d = Compare(region, outline);
  EXPECT_TRUE(d.extra.empty()) << d.extra.size() << " pixels beyond the outline, first at " << d.extra[0].x << ","
                               << d.extra[0].y;
  EXPECT_LE(d.missing.size(), maxMissing);
  for (const POINT& p : d.missing) {
    const bool onEdge = !outline.At(p.x + 1, p.y) || !outline.At(p.x - 1, p.y) || !outline.At(p.x, p.y + 1) ||
                        !outline.At(p.x, p.y - 1);
    EXPECT_TRUE(onEdge) << "interior pixel " << p.x << "," << p.y << " missing";
    for (const POINT& q : d.missing) {
      EXPECT_FALSE(abs(p.x - q.x) + abs(p.y - q.y) == 1)
          << "missing pixels side by side at " << p.x << "," << p.y << " and " << q.x << "," << q.y;
    }
  }
}

void ExpectExact(HRGN region, const TMask& shape) {
  const TDiff d = Compare(region, shape);
  EXPECT_TRUE(d.missing.empty()) << d.missing.size() << " pixels missing";
  EXPECT_TRUE(d.extra.empty()) << d.extra.size() << " pixels extra";
}

struct TBitmap {
  explicit TBitmap(HBITMAP b) : h(b) {}
  ~TBitmap() { DeleteObject(h); }
  HBITMAP h;
};

// `maxMissing` is the number of corner pixels the traced region of the shape loses
// under Wine's rasteriser; fewer is fine, more means the outline came out worse.
struct TNamedShape {
  const char* name;
  TMask mask;
  size_t maxMissing;
};

std::vector<TNamedShape> Shapes() {
  auto disc = [](int cx, int cy, int r) {
    return [=](int x, int y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
  };
  return {
      {"rectangle", MakeMask(20, 12, [](int, int) { return true; }), 1},
      {"disc", MakeMask(31, 31, disc(15, 15, 14)), 14},
      {"ring", MakeMask(41, 41, [=](int x, int y) { return disc(20, 20, 19)(x, y) && !disc(20, 20, 9)(x, y); }),
       18},
      {"L", MakeMask(30, 40, [](int x, int y) { return x < 8 || y >= 32; }), 2},
      {"diamond", MakeMask(21, 21, [](int x, int y) { return abs(x - 10) + abs(y - 10) <= 10; }), 13},
  };
}

// ---------------------------------------------------------------------------

TEST(BitmapRegions, PixelRegionIsExactOnEveryShape) {
  for (const TNamedShape& s : Shapes()) {
    SCOPED_TRACE(s.name);
    const TBitmap bmp(MakeBitmap(s.mask));
    const TRegion region = BitmapPixelRegion(bmp.h, kKey);
    ASSERT_TRUE(region);
    ExpectExact(region.Get(), s.mask);
  }
}

TEST(BitmapRegions, ContourCoversTheOuterOutlineUpToCornerCuts) {
  for (const TNamedShape& s : Shapes()) {
    SCOPED_TRACE(s.name);
    const TBitmap bmp(MakeBitmap(s.mask));
    const TRegion region = BitmapContourRegion(bmp.h, kKey);
    ASSERT_TRUE(region);
    ExpectOutlineUpToCornerCuts(region.Get(), s.mask, s.maxMissing);
  }
}

TEST(BitmapRegions, ContourOfARectangleLosesOnlyItsTopRightPixel) {
  const TMask rect = MakeMask(20, 12, [](int, int) { return true; });
  const TBitmap bmp(MakeBitmap(rect));
  const TDiff d = Compare(BitmapContourRegion(bmp.h, kKey).Get(), rect);
  ASSERT_EQ(d.missing.size(), 1u);
  EXPECT_EQ(d.missing[0].x, 19);
  EXPECT_EQ(d.missing[0].y, 0);
  EXPECT_TRUE(d.extra.empty());
}

TEST(BitmapRegions, ButtonFaceBothWays) {
  TMask face;
  const TBitmap bmp(DrawButtonFace(&face));
  ASSERT_FALSE(face.At(0, 0));  // the corners are transparent
  ASSERT_TRUE(face.At(63, 16));

  ExpectExact(BitmapPixelRegion(bmp.h, kKey).Get(), face);
  const TRegion contour = BitmapContourRegion(bmp.h, kKey);
  ExpectOutlineUpToCornerCuts(contour.Get(), face, 9);
  RECT box;
  EXPECT_EQ(GetRgnBox(contour.Get(), &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 127);
  EXPECT_EQ(box.bottom, 33);
}

TEST(BitmapRegions, LonePixelGivesItsOwnSquare) {
  const TMask dot = MakeMask(5, 6, [](int x, int y) { return x == 2 && y == 3; });
  const TBitmap bmp(MakeBitmap(dot));
  for (const TRegion& region : {BitmapContourRegion(bmp.h, kKey), BitmapPixelRegion(bmp.h, kKey)}) {
    ASSERT_TRUE(region);
    RECT box;
    EXPECT_EQ(GetRgnBox(region.Get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(box.bottom, 4);
  }
}

TEST(BitmapRegions, ThinShapesDoNotVanish) {
  // One pixel thick: the traced polygon has no area, so the exact region stands in.
  for (const TMask& line : {MakeMask(9, 3, [](int, int y) { return y == 1; }),
                            MakeMask(3, 9, [](int x, int) { return x == 1; }),
                            MakeMask(2, 1, [](int, int) { return true; })}) {
    const TBitmap bmp(MakeBitmap(line));
    const TRegion region = BitmapContourRegion(bmp.h, kKey);
    ASSERT_TRUE(region);
    ExpectExact(region.Get(), line);
  }
  // Three pixels in a corner: the polygon crosses itself and keeps one of them.
  const TMask corner = MakeMask(4, 4, [](int x, int y) { return (x == 0 && y < 2) || (y == 0 && x < 2); });
  const TBitmap bmp(MakeBitmap(corner));
  const TRegion region = BitmapContourRegion(bmp.h, kKey);
  ASSERT_TRUE(region);
  ExpectOutlineUpToCornerCuts(region.Get(), corner, 2);
}

TEST(BitmapRegions, NoRegionForNothingToShow) {
  const TBitmap blank(MakeBitmap(MakeMask(8, 8, [](int, int) { return false; })));
  EXPECT_FALSE(BitmapContourRegion(blank.h, kKey));
  EXPECT_FALSE(BitmapPixelRegion(blank.h, kKey));
  EXPECT_FALSE(BitmapContourRegion(nullptr, kKey));
  EXPECT_FALSE(BitmapPixelRegion(nullptr, kKey));
  HBRUSH notABitmap = CreateSolidBrush(kKey);
  EXPECT_FALSE(BitmapContourRegion(reinterpret_cast<HBITMAP>(notABitmap), kKey));
  EXPECT_FALSE(BitmapPixelRegion(reinterpret_cast<HBITMAP>(notABitmap), kKey));
  DeleteObject(notABitmap);
}

TEST(BitmapRegions, UnusedTopByteOfAPixelDoesNotHideTheTransparentColour) {
  const TMask disc = MakeMask(11, 11, [](int x, int y) { return (x - 5) * (x - 5) + (y - 5) * (y - 5) <= 25; });
  const TBitmap bmp(MakeBitmap(disc, 0xFF));
  ExpectExact(BitmapPixelRegion(bmp.h, kKey).Get(), disc);
  EXPECT_FALSE(PtInRegion(BitmapContourRegion(bmp.h, kKey).Get(), 0, 0));
}

TEST(BitmapRegions, StartPixelJoiningTwoArmsIsPassedUntilTheWholeOutlineIsTraced) {
  // A one-pixel-thin bar along the top with a knob at its right end, joined to a block
  // below only through the top-left pixel's column: the walk comes back along the
  // bar's underside to the start pixel long before it has been round the block.
  const TMask shape = MakeMask(16, 20, [](int x, int y) {
    return y == 0 || (x >= 10 && y <= 2) || (x == 0 && y <= 3) || y >= 4;
  });
  const TBitmap bmp(MakeBitmap(shape));
  const TRegion region = BitmapContourRegion(bmp.h, kKey);
  ASSERT_TRUE(region);
  ExpectOutlineUpToCornerCuts(region.Get(), shape, 3);
  EXPECT_TRUE(PtInRegion(region.Get(), 8, 12));
}

// A comb: a solid back below `teeth` one-pixel teeth; every tooth adds three runs.
TMask Comb(int teeth) {
  return MakeMask(teeth * 2, 8, [](int x, int y) { return y >= 4 || x % 2 == 0; });
}

TEST(BitmapRegions, OutlineOfMoreThan1001RunsFallsBackToTheExactRegion) {
  const TMask fine = Comb(400);  // about 1,200 runs
  const TBitmap bmp(MakeBitmap(fine));
  const TRegion region = BitmapContourRegion(bmp.h, kKey);
  ASSERT_TRUE(region);
  ExpectExact(region.Get(), fine);

  // Below the limit the comb is traced: every tooth tip and the back's top-right
  // corner are cut.
  const TMask coarse = Comb(300);  // about 900 runs
  const TBitmap traced(MakeBitmap(coarse));
  const TRegion approx = BitmapContourRegion(traced.h, kKey);
  EXPECT_EQ(Compare(approx.Get(), coarse).missing.size(), 301u);
  ExpectOutlineUpToCornerCuts(approx.Get(), coarse, 301);
}

TEST(BitmapRegions, ContourEndsAndStaysOnTheShapeForAnyPattern) {
  std::mt19937 random(20240607);
  for (int round = 0; round < 150; ++round) {
    const int w = 1 + static_cast<int>(random() % 40), h = 1 + static_cast<int>(random() % 30);
    const unsigned density = 30 + random() % 60;
    const TMask noise = MakeMask(w, h, [&](int, int) { return random() % 100 < density; });
    const TBitmap bmp(MakeBitmap(noise));
    const TRegion region = BitmapContourRegion(bmp.h, kKey);
    if (std::find(noise.on.begin(), noise.on.end(), 1) == noise.on.end()) {
      EXPECT_FALSE(region);
      continue;
    }
    ASSERT_TRUE(region) << "round " << round;
    RECT box;
    EXPECT_NE(GetRgnBox(region.Get(), &box), NULLREGION) << "round " << round;
    EXPECT_TRUE(Compare(region.Get(), OuterOutline(noise)).extra.empty()) << "round " << round;
  }
}

TEST(ClearWindowRegion, MakesTheWindowRectangularAgain) {
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 127, 33, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  TMask face;
  const TBitmap bmp(DrawButtonFace(&face));
  TRegion shaped = BitmapContourRegion(bmp.h, kKey);
  ASSERT_NE(SetWindowRgn(w, shaped.Release(), TRUE), 0);
  TRegion probe(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(w, probe.Get()), COMPLEXREGION);

  ClearWindowRegion(w);
  EXPECT_EQ(GetWindowRgn(w, probe.Get()), ERROR);
  DestroyWindow(w);
}

}  // namespace
