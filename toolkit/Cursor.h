// The screen cursor: one cursor for the whole program that, while set, every window
// shows instead of its own (the hourglass during a long action), and THourglass, the
// guard that shows the hourglass for one scope and restores the previous cursor on
// every way out of it.
#pragma once
#include <windows.h>

class TScreen {
 public:
  // Null is the default: each window shows its class cursor.
  HCURSOR Cursor() const noexcept { return cursor_; }
  // Shows the cursor at once; with null the window under the pointer sets its own.
  void SetCursor(HCURSOR cursor);

 private:
  HCURSOR cursor_ = nullptr;
};

TScreen& Screen();

class THourglass {
 public:
  THourglass();
  ~THourglass();
  THourglass(const THourglass&) = delete;
  THourglass& operator=(const THourglass&) = delete;

 private:
  HCURSOR saved_;
};
