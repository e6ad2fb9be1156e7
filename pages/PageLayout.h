// Where the pages' captions go: labels placed at their designed spot and sized to
// their text in the page's font, as links and captions are.
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/Control.h"

// The size of `text` in `control`'s font, with a little room for an underline and the
// last glyph's overhang.
SIZE CaptionSize(const TControl& control, const std::wstring& text);

// The args of a caption label at its designed place, sized to its text in the font of
// `sizer` (the page, whose font its controls share).
TControlArgs CaptionArgs(const TControl& sizer, const wchar_t* name, int left, int top,
                         const wchar_t* text);
