#include "pages/PageIcons.h"

#include "toolkit/Handle.h"
#include "toolkit/Painting.h"

namespace {

constexpr int kSize = 16;
constexpr COLORREF kInk = RGB(1, 1, 1);  // black that stays in the picture
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A pen of `width` pixels for line drawings, selected for one scope.
class TPenScope {
 public:
  TPenScope(HDC dc, COLORREF colour, int width)
      : pen_(CreatePen(PS_SOLID, width, colour)), select_(dc, pen_.Get()) {}

 private:
  TGdiObject<HPEN> pen_;
  TDCSelect select_;
};

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

}  // namespace

HICON MakeDrawnIcon(int size, const std::function<void(HDC)>& draw) {
  const TWindowDC screen(nullptr);
  const TMemoryDC dc(CreateCompatibleDC(screen.Get()));
  const TGdiObject<HBITMAP> colour(CreateCompatibleBitmap(screen.Get(), size, size));
  const TGdiObject<HBITMAP> mask(CreateBitmap(size, size, 1, 1, nullptr));
  {
    const TDCSelect drawing(dc.Get(), colour.Get());
    RECT all{0, 0, size, size};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    draw(dc.Get());
    const TMemoryDC maskDc(CreateCompatibleDC(dc.Get()));
    const TDCSelect masking(maskDc.Get(), mask.Get());
    // Monochrome conversion: pixels of the background colour become 1 (transparent).
    SetBkColor(dc.Get(), RGB(0, 0, 0));
    BitBlt(maskDc.Get(), 0, 0, size, size, dc.Get(), 0, 0, SRCCOPY);
  }
  ICONINFO info{TRUE, 0, 0, mask.Get(), colour.Get()};
  return CreateIconIndirect(&info);  // a copy of both pictures
}

void FillShape(HDC dc, COLORREF colour, const std::function<void()>& shape) {
  const TGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  const TPenScope pen(dc, colour, 1);
  const TDCSelect filling(dc, brush.Get());
  shape();
}

void AssignIcon(TPicture& picture, HICON icon) { picture.TakeIcon(icon); }

HICON MakeKeyIcon() {
  return MakeDrawnIcon(kSize, [](HDC dc) {
    const COLORREF gold = RGB(212, 160, 23);
    FillShape(dc, gold, [dc] { Ellipse(dc, 1, 4, 9, 12); });
    FillShape(dc, kInk, [dc] { Ellipse(dc, 3, 6, 6, 9); });
    FillShape(dc, gold, [dc] {
      Rectangle(dc, 8, 7, 15, 9);
      Rectangle(dc, 11, 9, 13, 12);
      Rectangle(dc, 13, 9, 15, 11);
    });
  });
}

HICON MakeRowIcon(COLORREF colour) {
  return MakeDrawnIcon(kSize, [colour](HDC dc) {
    FillShape(dc, colour, [dc] { Ellipse(dc, 3, 3, 13, 13); });
    FillShape(dc, kWhite, [dc] { Ellipse(dc, 5, 5, 8, 8); });
  });
}

HICON MakeRecordIcon() {
  // A small index card: a blue tab over a white card with two lines.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    FillShape(dc, RGB(60, 110, 180), [dc] { Rectangle(dc, 1, 2, 15, 14); });
    FillShape(dc, kWhite, [dc] { Rectangle(dc, 2, 5, 14, 13); });
    FillShape(dc, RGB(60, 110, 180), [dc] {
      Rectangle(dc, 4, 7, 12, 8);
      Rectangle(dc, 4, 10, 10, 11);
    });
  });
}

HICON MakeHostGlyph() {
  // A computer screen on its stand.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    FillShape(dc, RGB(70, 70, 80), [dc] {
      Rectangle(dc, 1, 1, 15, 11);
      Rectangle(dc, 6, 11, 10, 13);
      Rectangle(dc, 3, 13, 13, 15);
    });
    FillShape(dc, RGB(80, 160, 230), [dc] { Rectangle(dc, 3, 3, 13, 9); });
  });
}

HICON MakeAliasGlyph() {
  // Two chain links: one name standing for another.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    TPenScope pen(dc, RGB(40, 130, 60), 2);
    const HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, 5, 10, 12, 6, 6);
    RoundRect(dc, 6, 4, 15, 11, 6, 6);
    SelectObject(dc, old);
  });
}

HICON MakeMailGlyph() {
  // An envelope.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    FillShape(dc, RGB(90, 90, 100), [dc] { Rectangle(dc, 1, 3, 15, 13); });
    FillShape(dc, RGB(250, 245, 225), [dc] { Rectangle(dc, 2, 4, 14, 12); });
    TPenScope pen(dc, RGB(90, 90, 100), 1);
    Line(dc, 2, 4, 8, 9);
    Line(dc, 8, 9, 14, 3);
  });
}

HICON MakeDeleteGlyph() {
  // A red cross.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    TPenScope pen(dc, RGB(200, 30, 30), 3);
    Line(dc, 3, 3, 13, 13);
    Line(dc, 13, 3, 3, 13);
  });
}

HICON MakePropertyGlyph() {
  // A page of settings: lines with their values marked.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    FillShape(dc, RGB(90, 90, 100), [dc] { Rectangle(dc, 2, 1, 14, 15); });
    FillShape(dc, kWhite, [dc] { Rectangle(dc, 3, 2, 13, 14); });
    FillShape(dc, RGB(60, 110, 180), [dc] {
      for (int y : {4, 7, 10}) Rectangle(dc, 5, y, 11, y + 2);
    });
    FillShape(dc, RGB(230, 150, 30), [dc] {
      for (int y : {4, 7, 10}) Rectangle(dc, 9, y, 11, y + 2);
    });
  });
}

HICON MakeRefreshGlyph() {
  // A green circular arrow.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    const COLORREF green = RGB(40, 150, 60);
    {
      TPenScope pen(dc, green, 2);
      Arc(dc, 2, 2, 14, 14, 8, 2, 14, 6);  // counter-clockwise from the top round to the right
    }
    FillShape(dc, green, [dc] {
      const POINT head[] = {{10, 6}, {16, 6}, {13, 2}};
      Polygon(dc, head, 3);
    });
  });
}

HICON MakeActiveIcon() {
  return MakeDrawnIcon(kSize, [](HDC dc) {
    FillShape(dc, RGB(40, 150, 60), [dc] { Ellipse(dc, 0, 0, 16, 16); });
    TPenScope pen(dc, kWhite, 2);
    Line(dc, 4, 8, 7, 11);
    Line(dc, 7, 11, 12, 5);
  });
}

HICON MakePendingIcon() {
  return MakeDrawnIcon(kSize, [](HDC dc) {
    FillShape(dc, RGB(215, 150, 20), [dc] { Ellipse(dc, 0, 0, 16, 16); });
    FillShape(dc, RGB(255, 250, 230), [dc] { Ellipse(dc, 2, 2, 14, 14); });
    TPenScope pen(dc, kInk, 2);
    Line(dc, 8, 4, 8, 8);
    Line(dc, 8, 8, 11, 10);
  });
}

HICON MakeExpiredIcon() {
  return MakeDrawnIcon(kSize, [](HDC dc) {
    FillShape(dc, RGB(140, 140, 145), [dc] { Ellipse(dc, 0, 0, 16, 16); });
    TPenScope pen(dc, RGB(210, 30, 30), 2);
    Line(dc, 4, 4, 12, 12);
    Line(dc, 12, 4, 4, 12);
  });
}

HICON MakeProtocolIcon() {
  // A blue globe with its meridian and equator.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    const COLORREF blue = RGB(50, 110, 200);
    FillShape(dc, blue, [dc] { Ellipse(dc, 1, 1, 15, 15); });
    TPenScope pen(dc, kWhite, 1);
    const HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, 5, 1, 11, 15);
    SelectObject(dc, old);
    Line(dc, 1, 8, 15, 8);
  });
}

HICON MakePortIcon() {
  // A plug: its two pins over a grey body and the cable below.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    FillShape(dc, RGB(200, 170, 60), [dc] {
      Rectangle(dc, 5, 1, 7, 5);
      Rectangle(dc, 9, 1, 11, 5);
    });
    FillShape(dc, RGB(90, 90, 100), [dc] { RoundRect(dc, 3, 5, 13, 11, 3, 3); });
    FillShape(dc, RGB(90, 90, 100), [dc] { Rectangle(dc, 7, 11, 9, 15); });
  });
}

HICON MakeFolderIcon() {
  // A yellow folder with its tab.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    const COLORREF edge = RGB(170, 130, 30);
    FillShape(dc, edge, [dc] {
      Rectangle(dc, 1, 3, 7, 5);
      Rectangle(dc, 1, 4, 15, 14);
    });
    FillShape(dc, RGB(240, 200, 80), [dc] { Rectangle(dc, 2, 6, 14, 13); });
  });
}

HICON MakeFileIcon() {
  // A white page with lines of text.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    FillShape(dc, RGB(90, 90, 100), [dc] { Rectangle(dc, 3, 1, 13, 15); });
    FillShape(dc, kWhite, [dc] { Rectangle(dc, 4, 2, 12, 14); });
    FillShape(dc, RGB(120, 120, 130), [dc] {
      for (int y : {4, 7, 10}) Rectangle(dc, 5, y, 11, y + 1);
    });
  });
}

HICON MakeWizardGlyph() {
  // A wand with a star at its tip.
  return MakeDrawnIcon(kSize, [](HDC dc) {
    {
      TPenScope pen(dc, RGB(90, 60, 30), 2);
      Line(dc, 2, 14, 10, 6);
    }
    FillShape(dc, RGB(240, 190, 20), [dc] {
      const POINT star[] = {{12, 0}, {13, 3}, {16, 4}, {13, 5}, {12, 8}, {11, 5}, {8, 4}, {11, 3}};
      Polygon(dc, star, 8);
    });
  });
}
