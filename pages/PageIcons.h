// The pages' small pictures, drawn in code as icons: the account pages' key and row
// markers, the records pages' record icon and toolbar glyphs, the hierarchy pages'
// status icons, the redirection wizard's step icons and glyph (16 x 16 each), and the
// drawing routine behind them, which other pages use for their own. Each Make function
// returns a new icon that the caller owns; AssignIcon hands one over to a picture,
// which then owns it.
#pragma once
#include <windows.h>

#include <functional>

#include "toolkit/Picture.h"

// A size x size icon drawn by `draw` on a pure black ground; the mask leaves out
// whatever stayed pure black. Drawings use RGB(1, 1, 1) for black.
HICON MakeDrawnIcon(int size, const std::function<void(HDC)>& draw);
// Fills and outlines the shape that `shape` draws on `dc` in one colour.
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

// The hierarchy pages: the state of a link to a parent or child domain, active (a
// green tick), waiting for the other side's confirmation (a clock) and expired (a
// grey disc crossed in red).
HICON MakeActiveIcon();
HICON MakePendingIcon();
HICON MakeExpiredIcon();

// The redirection wizard: its five steps (protocol, host, port, folder, file; the
// host step shows the host glyph above) and the glyph of the buttons that open it.
HICON MakeProtocolIcon();
HICON MakePortIcon();
HICON MakeFolderIcon();
HICON MakeFileIcon();
HICON MakeWizardGlyph();

// The picture takes the icon over (a null one empties it).
void AssignIcon(TPicture& picture, HICON icon);
