// Keys held down as GetKeyState reports them while a THeldKeys lives: for the test's
// own thread (page tests press Ctrl or Shift together with a key sent through their
// own loop), or, given a window, for that window's thread, whose input is joined to
// the test's for the time (end-to-end tests hold Ctrl until the program has seen the
// key).
#pragma once
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>

class THeldKeys {
 public:
  explicit THeldKeys(std::initializer_list<int> keys, HWND window = nullptr)
      : thread_(window ? GetWindowThreadProcessId(window, nullptr) : 0),
        attached_(thread_ && AttachThreadInput(GetCurrentThreadId(), thread_, TRUE) != FALSE) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~THeldKeys() {
    SetKeyboardState(saved_);
    if (attached_) AttachThreadInput(GetCurrentThreadId(), thread_, FALSE);
  }
  THeldKeys(const THeldKeys&) = delete;
  THeldKeys& operator=(const THeldKeys&) = delete;

 private:
  DWORD thread_;
  bool attached_;
  BYTE saved_[256];
};
