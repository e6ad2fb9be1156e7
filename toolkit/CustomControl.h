// TCustomControl: a window of our own registered class that paints itself. WM_PAINT
// and WM_PRINTCLIENT both go through one back buffer into the virtual Paint, and
// WM_ERASEBKGND is answered without erasing, because Paint covers the whole area it
// is given. Forms, frames (and through them the pages) and custom-drawn controls
// such as picture buttons derive from it and override Paint to compose their faces.
#pragma once
#include "toolkit/Control.h"

class TCustomControl : public TControl {
 public:
  // A plain child window of class "TCustomControl".
  TCustomControl(TControl& parent, const TControlArgs& args);

  // The colour Paint fills with unless overridden; the system's button face at first.
  COLORREF Color() const noexcept { return color_; }
  void SetColor(COLORREF color);

 protected:
  // A child window of the given class of our own (registered on first use).
  TCustomControl(TControl& parent, const TControlArgs& args, const wchar_t* className,
                 DWORD style, DWORD exStyle);
  // A top-level window: the derived class creates it with CreateOwnTopLevel.
  explicit TCustomControl(std::wstring name);

  // Paints `clip` (client coordinates) into `dc`, which has the control's font
  // selected. `dc` is a back buffer for WM_PAINT and WM_PRINTCLIENT alike.
  virtual void Paint(HDC dc, const RECT& clip);

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintInto(HDC target, const RECT& clip);
  RECT ClippedClientRect(HDC dc) const;

  COLORREF color_;
};
