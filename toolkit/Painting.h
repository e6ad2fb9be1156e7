// Drawing helpers shared by the controls that paint themselves (panel, bevel, image,
// speed button, tab set, draw grid, picture button, link): scoped painting and object selection,
// solid fills, 3D frames, the checkered dither brush, the focus mark, and the parent's
// background for controls that look transparent although they are real child windows.
#pragma once
#include <windows.h>

#include "toolkit/Handle.h"

// The description of a 32-bit DIB with its rows from the top: each pixel is 0x00RRGGBB
// whatever the screen's depth.
BITMAPINFO TopDownDibInfo(int width, int height);
// A DIB section of that kind and size (null when it cannot be made); `bits`, when
// given, receives its pixels. Under Wine a DIB section also spares the round trips to
// the server that making and selecting a device bitmap cost.
TGdiObject<HBITMAP> MakeTopDownDib(int width, int height, void** bits = nullptr);

// Selects a GDI object into a DC for one scope; a null object selects nothing.
class TDCSelect {
 public:
  TDCSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~TDCSelect() {
    if (old_) SelectObject(dc_, old_);
  }
  TDCSelect(const TDCSelect&) = delete;
  TDCSelect& operator=(const TDCSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's device context from GetDC (or, for the whole window with its frame,
// GetWindowDC), released when the scope ends; a null window gives the screen's.
class TWindowDC {
 public:
  enum TArea { Client, Whole };
  explicit TWindowDC(HWND window, TArea area = Client)
      : window_(window), dc_(area == Whole ? GetWindowDC(window) : GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC with a bitmap selected into it for as long as the object lives, so that
// the bitmap can be drawn from or into with the plain GDI calls.
class TBitmapDC {
 public:
  explicit TBitmapDC(HBITMAP bitmap);
  ~TBitmapDC();
  TBitmapDC(const TBitmapDC&) = delete;
  TBitmapDC& operator=(const TBitmapDC&) = delete;
  // Null when the DC could not be made or the bitmap could not be selected.
  HDC DC() const noexcept { return selected_ ? dc_.Get() : nullptr; }

 private:
  TMemoryDC dc_;
  HGDIOBJ old_ = nullptr;
  bool selected_ = false;
};

// BeginPaint/EndPaint as a scope: a Paint that throws must still validate the
// window, or WM_PAINT (and its error report) would come back for ever.
class TPaintScope {
 public:
  explicit TPaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
  ~TPaintScope() { EndPaint(window_, &ps_); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC DC() const { return dc_; }
  const RECT& Area() const { return ps_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

void FillColor(HDC dc, const RECT& rect, COLORREF colour);

// Draws a frame `width` pixels wide just inside `rect`, its top and left edges in
// `topLeft`, its bottom and right edges in `bottomRight`, and shrinks `rect` to what
// lies inside it.
void Frame3D(HDC dc, RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width);

// An 8 x 8 checker of the button face and highlight colours: the background of a
// pressed-down flat button and of a dithered tab set.
class TDitherBrush {
 public:
  TDitherBrush();
  HBRUSH Handle() const noexcept { return brush_.Get(); }

 private:
  TGdiObject<HBITMAP> bitmap_;
  TGdiObject<HBRUSH> brush_;
};

// Paints into `dc` (in `window`'s client coordinates) what the parent window shows
// behind `window`: the parent erases and paints its own client area into the DC
// (WM_ERASEBKGND, then WM_PRINTCLIENT), shifted so that it lines up. The button face
// colour is laid first, for parents that cannot print themselves.
void PaintParentBackground(HWND window, HDC dc, const RECT& area);

// Shows `window` with its erasing left to its first paint. ShowWindow erases the window
// and each of its visible children before it returns, each through a device context
// of its own (under Wine a border paint too), and painting does them all again moments
// later. `activate` activates a top-level window as ShowWindow would.
void ShowErasingAtFirstPaint(HWND window, bool activate);

// The focus mark of a control that draws its own: the dotted focus rectangle while the
// control has the keyboard focus, unless its window's UI state hides focus cues (the
// system hides them while the user works with the mouse, when the user chose so, and
// shows them once the keyboard is used). Windows keeps that state for every window
// (WM_QUERYUISTATE) and tells each window of a change (WM_UPDATEUISTATE); Wine keeps
// none and answers 0, so the control also keeps what the messages it is sent say.
class TFocusCues {
 public:
  // For WM_UPDATEUISTATE, after the default processing.
  void Follow(HWND window, WPARAM update);
  bool Shown(HWND window) const;
  // The rectangle inside `rect`, inset by `inset` pixels on each side, when Shown. It
  // is drawn by inverting, so it shows over any picture.
  void Draw(HWND window, HDC dc, RECT rect, int inset) const;

 private:
  bool hidden_ = false;
};
