// The face of the buttons that draw themselves (speed buttons, bitmap buttons): a
// glyph and a caption laid out together, centred or at a margin, the glyph on the
// side the layout names; both greyed when the button is disabled.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Picture.h"

enum class TButtonLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

struct TGlyphLayout {
  TButtonLayout layout = TButtonLayout::GlyphLeft;
  int margin = -1;   // pixels from the edge on the glyph's side; -1: everything centred
  int spacing = 4;   // pixels between glyph and caption
};

// Draws `glyph` (its bottom-left colour transparent, as glyphs are) and `caption` in
// `rect` with the DC's font. `caption` is drawn with & as a mnemonic prefix.
void DrawGlyphAndCaption(HDC dc, const RECT& rect, const TPicture& glyph, const std::wstring& caption,
                         const TGlyphLayout& layout, bool enabled);
