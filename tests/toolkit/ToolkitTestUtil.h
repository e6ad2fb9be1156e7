// Shared pieces of the toolkit tests: a hidden test form that records the messages it
// receives (the recording parent of Wine's control tests), message pumping with a
// deadline, and reading pixels a window paints into a memory bitmap.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Form.h"

namespace toolkit_test {

// One entry of a message log: what arrived where, e.g. "parent WM_COMMAND 0".
using TLog = std::vector<std::string>;

// A hidden form of class "TToolkitTest" that logs the parent-side notifications it
// gets (WM_COMMAND with its code, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, scrolls)
// before passing them on.
class TRecordingForm : public TForm {
 public:
  explicit TRecordingForm(TLog* log = nullptr, int clientWidth = 300, int clientHeight = 200);
  TLog* log;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

std::string MessageName(UINT msg);

// Dispatches messages until `done` is true or `timeoutMs` passes; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000);
// Dispatches messages for `ms` milliseconds.
void PumpFor(DWORD ms);

// The window's client area as painted into a 32-bit memory bitmap by `msg`
// (WM_PRINTCLIENT, or WM_PAINT with the DC in wParam); pixels as 0x00RRGGBB.
class TPixels {
 public:
  TPixels(HWND window, UINT msg = WM_PRINTCLIENT);
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Number of pixels in [left, right) x [top, bottom) that differ from `colour`.
  int CountNot(uint32_t colour, int left, int top, int right, int bottom) const;

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

uint32_t Rgb(COLORREF colour);  // COLORREF (0x00BBGGRR) to 0x00RRGGBB

}  // namespace toolkit_test
