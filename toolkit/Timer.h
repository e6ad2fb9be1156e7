// TTimer: a window-thread timer. It owns a message-only window and a Win32 timer on
// it, so OnTimer always runs on the thread that created the timer, between other
// messages, and never concurrently with the program's handlers.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

class TTimer;
using TTimerEvent = std::function<void(TTimer& sender)>;

struct TTimerArgs {
  std::wstring name;
  UINT interval = 1000;  // milliseconds; 0 stops the timer
  bool enabled = true;
};

class TTimer {
 public:
  explicit TTimer(const TTimerArgs& args = {});
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  const std::wstring& Name() const noexcept { return name_; }
  UINT Interval() const noexcept { return interval_; }
  // A new interval restarts the count.
  void SetInterval(UINT milliseconds);
  bool Enabled() const noexcept { return enabled_; }
  // Enabling starts a full interval from now.
  void SetEnabled(bool enabled);

  // Runs on every tick. A tick that comes while the handler still runs (it shows a
  // modal box, say) is skipped. An exception goes to the default error report.
  TTimerEvent OnTimer;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Restart();
  void Tick() noexcept;

  std::wstring name_;
  UINT interval_;
  bool enabled_;
  bool inTick_ = false;
  bool* destroyed_ = nullptr;  // set while a tick runs
  HWND window_ = nullptr;
};
