// The button faces of the skin are BMP files next to the program, one per state,
// named after the face: "<face>.bmp" (idle), "<face>Up.bmp", "<face>Down.bmp",
// "<face>Check.bmp" and "<face>Disabled.bmp". The skin is only the look: a face that
// is missing or unreadable leaves its picture empty, and the button falls back to its
// idle face or, without one, to its caption.
#pragma once
#include <string>

class TPicBtn;

// Gives the button every face of `face` found in `folder` (ending in a separator): the
// idle face is read at once, the others when the button first shows them. Returns
// whether the idle face was loaded.
bool LoadButtonFaces(TPicBtn& button, const std::wstring& folder, const std::wstring& face);
