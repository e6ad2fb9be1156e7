// The pages' small pictures, drawn in code as 16 x 16 icons: the account pages' key
// and row markers, and the records pages' record icon and toolbar glyphs. Each Make
// function returns a new icon that the caller owns; AssignIcon hands one to a picture
// and frees it.
#pragma once
#include <windows.h>

#include <functional>

#include "toolkit/Picture.h"

// A 16 x 16 icon from a drawing routine: the routine paints over a pure black
// background, and whatever stays pure black is left out (transparent). Drawings use
// RGB(1, 1, 1) for black.
HICON MakeIcon(const std::function<void(HDC)>& draw);
// Runs `shape` with a solid pen and brush of `colour` selected into `dc`.
void FillShape(HDC dc, COLORREF colour, const std::function<void()>& shape);

// The account pages: a key (the account key rows) and a round marker (the decorative
// row icons).
HICON MakeKeyIcon();
HICON MakeRowIcon(COLORREF colour);

// The records pages: the record icon (beside each record's name) and the toolbar's
// glyphs.
HICON MakeRecordIcon();
HICON MakeHostGlyph();
HICON MakeAliasGlyph();
HICON MakeMailGlyph();
HICON MakeDeleteGlyph();
HICON MakePropertyGlyph();
HICON MakeRefreshGlyph();

// The picture takes a copy of the icon; the icon is freed.
void AssignIcon(TPicture& picture, HICON icon);
