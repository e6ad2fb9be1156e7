// The two ways of turning a picture into a window region for shaped buttons, and the
// owner of the region they hand over.
#pragma once
#include <windows.h>

#include "toolkit/Handle.h"

// Owns one GDI region, so a region built on every paint cannot leak; pass it on with
// Release() to a call that takes ownership (SetWindowRgn owns the region after it
// succeeds).
using TRegion = TGdiObject<HRGN>;

// The two region routines read the bitmap's pixels once, through one shared memory
// DC: call them from one thread at a time, with the bitmap not selected into a DC
// (GetDIBits asks for that).

// The exact region of the bitmap's pixels that differ from `transparent` (an RGB
// value): the bitmap's rectangle less every pixel of that colour, one region
// operation per transparent pixel. Null for a 0 x 0 bitmap, an invalid handle or a
// bitmap wholly of the transparent colour.
TRegion BitmapPixelRegion(HBITMAP bitmap, COLORREF transparent);

// The fast, approximate region: the outline of the shape holding the first
// non-transparent pixel (rows from the top, each from the left), traced once and
// filled as one polygon. Holes are filled in, other separate shapes left out, and
// convex corners lose single pixels to one-pixel diagonal cuts; nothing outside the
// outline is ever covered. A lone pixel gives its 1 x 1 square. An outline of more
// than 1,001 straight runs, or one too thin to enclose any area, falls back to
// BitmapPixelRegion. Null for a 0 x 0 bitmap, an invalid handle or a bitmap wholly
// of the transparent colour.
TRegion BitmapContourRegion(HBITMAP bitmap, COLORREF transparent);

// Removes the window's region, so the window is rectangular again, and redraws it.
void ClearWindowRegion(HWND window);
