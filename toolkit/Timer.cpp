#include "toolkit/Timer.h"

#include "toolkit/Application.h"
#include "toolkit/SystemError.h"

namespace {

constexpr wchar_t kClassName[] = L"TTimerWindow";
constexpr UINT_PTR kTimerId = 1;

void RegisterTimerClass(WNDPROC proc) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{sizeof existing};
  if (GetClassInfoExW(instance, kClassName, &existing)) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  if (!RegisterClassExW(&wc)) ThrowLastError(L"Cannot register the timer window class");
}

}  // namespace

TTimer::TTimer(const TTimerArgs& args)
    : name_(args.name), interval_(args.interval), enabled_(args.enabled) {
  RegisterTimerClass(&TTimer::WindowProc);
  window_ = CreateWindowExW(0, kClassName, name_.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!window_) ThrowLastError(L"Cannot create the timer " + name_);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  try {
    Restart();
  } catch (...) {
    DestroyWindow(window_);
    throw;
  }
}

TTimer::~TTimer() {
  if (destroyed_) *destroyed_ = true;
  KillTimer(window_, kTimerId);
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void TTimer::SetInterval(UINT milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::Restart() {
  KillTimer(window_, kTimerId);
  if (enabled_ && interval_ > 0 && !SetTimer(window_, kTimerId, interval_, nullptr))
    ThrowLastError(L"Cannot start the timer " + name_);
}

void TTimer::Tick() noexcept {
  if (inTick_) return;
  inTick_ = true;
  bool destroyed = false;  // the handler may destroy the timer (with its form)
  destroyed_ = &destroyed;
  try {
    if (OnTimer) OnTimer(*this);
  } catch (...) {
    // Reported while inTick_ is still set: the ticks that arrive while the error box
    // is open are skipped instead of opening a box each.
    Application().HandleException();
  }
  if (destroyed) return;
  destroyed_ = nullptr;
  inTick_ = false;
}

LRESULT CALLBACK TTimer::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimerId) {
    if (auto* self = reinterpret_cast<TTimer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      self->Tick();
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}
