// Keys held down for the test's thread while a THeldKeys lives, as GetKeyState reports
// them: how page tests press Ctrl or Shift together with a key sent through the loop.
#pragma once
#include <windows.h>

#include <initializer_list>

class THeldKeys {
 public:
  explicit THeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~THeldKeys() { SetKeyboardState(saved_); }
  THeldKeys(const THeldKeys&) = delete;
  THeldKeys& operator=(const THeldKeys&) = delete;

 private:
  BYTE saved_[256];
};
