// Shared pieces of the toolkit tests: a hidden form that records the notifications it
// receives (the recording parent of Wine's control tests), message pumping with a
// deadline, and the pixels a window paints into a memory bitmap.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Exception.h"
#include "toolkit/Form.h"

namespace toolkit_test {

using TLog = std::vector<std::string>;  // e.g. "parent WM_COMMAND 0", "child WM_NOTIFY"

// A hidden form of class "TToolkitTest" that logs the notifications children send it.
class TRecordingForm : public TForm {
 public:
  explicit TRecordingForm(TLog* log = nullptr);
  TLog* log;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

std::string MessageName(UINT msg);  // empty for messages that are not logged

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000);
void PumpFor(DWORD ms);

// What the window paints into a 32-bit memory bitmap for `msg` (WM_PRINTCLIENT, or
// WM_PAINT with the DC in wParam); pixels as 0x00RRGGBB.
class TPixels {
 public:
  // With `erase`, the window first erases its background into the bitmap
  // (WM_ERASEBKGND), as a double-buffering caller does.
  explicit TPixels(HWND window, UINT msg = WM_PRINTCLIENT, bool erase = false);
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Pixels of [left, right) x [top, bottom) that differ from `colour`.
  int CountNot(uint32_t colour, int left, int top, int right, int bottom) const;

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

// User input as the platform delivers it to a control: mouse buttons at a client
// point (with MK_* flags in `keys`) and typed characters.
void MouseDown(HWND window, int x, int y, WPARAM keys = 0);
void MouseUp(HWND window, int x, int y, WPARAM keys = 0);
void Click(HWND window, int x, int y, WPARAM keys = 0);
void Type(HWND window, const std::wstring& text);
void PressKey(HWND window, WORD key);

// What the platform's DrawText shows of `text` in `width` pixels of `font`, ending in
// an ellipsis when it does not fit: the oracle for controls that cut long texts so.
std::wstring EllipsisCut(HFONT font, const std::wstring& text, int width);

inline uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

}  // namespace toolkit_test
