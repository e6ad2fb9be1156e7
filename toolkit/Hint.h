// THint: the tooltip of one control, shown when the pointer rests on it. The tooltip
// window is created on the first non-empty text and removed with the object.
#pragma once
#include <windows.h>

#include <string>

class THint {
 public:
  THint() = default;
  ~THint();
  THint(const THint&) = delete;
  THint& operator=(const THint&) = delete;

  const std::wstring& Text() const noexcept { return text_; }
  // An empty text removes the tooltip from `window`.
  void Set(HWND window, const std::wstring& text);
  HWND Tooltip() const noexcept { return tooltip_; }

 private:
  HWND tooltip_ = nullptr;
  std::wstring text_;
};
