// One owner for the system's handles that are closed by a function call (kernel
// objects, views of file mappings, registry keys, service-manager handles, GDI objects
// memory DCs and icons): it closes the handle once, moves
// but never copies, and says whether it holds one. A kernel handle is "none" both as
// null and as INVALID_HANDLE_VALUE, since CreateFile gives the one and most other
// calls the other.
#pragma once
#include <windows.h>

#include <type_traits>
#include <utility>

template <class H, auto Close>
class THandleOwner {
 public:
  THandleOwner() = default;
  explicit THandleOwner(H handle) : handle_(handle) {}
  ~THandleOwner() { Reset(); }
  THandleOwner(THandleOwner&& other) noexcept : handle_(std::exchange(other.handle_, H{})) {}
  THandleOwner& operator=(THandleOwner&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, H{});
    }
    return *this;
  }
  THandleOwner(const THandleOwner&) = delete;
  THandleOwner& operator=(const THandleOwner&) = delete;

  H Get() const { return handle_; }
  explicit operator bool() const { return Valid(handle_); }
  // For the calls that hand a handle out through a pointer; closes the one held.
  H* Receive() {
    Reset();
    return &handle_;
  }
  // Gives the handle up without closing it: its new owner closes it.
  H Release() { return std::exchange(handle_, H{}); }
  void Reset() {
    if (Valid(handle_)) Close(handle_);
    handle_ = H{};
  }

 private:
  static bool Valid(H handle) {
    if constexpr (std::is_same_v<H, HANDLE>)
      return handle && handle != INVALID_HANDLE_VALUE;
    else
      return handle != H{};
  }

  H handle_{};
};

using TKernelHandle = THandleOwner<HANDLE, &CloseHandle>;
// A view of a file mapping, as MapViewOfFile gives it.
template <class T>
using TMappedView = THandleOwner<T*, &UnmapViewOfFile>;
using TRegKeyHandle = THandleOwner<HKEY, &RegCloseKey>;
using TScmHandle = THandleOwner<SC_HANDLE, &CloseServiceHandle>;
template <class T>
using TGdiObject = THandleOwner<T, &DeleteObject>;  // HBITMAP, HBRUSH, HRGN, HFONT
using TMemoryDC = THandleOwner<HDC, &DeleteDC>;
using TIconHandle = THandleOwner<HICON, &DestroyIcon>;
