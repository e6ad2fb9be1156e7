// An owning COM interface pointer: AddRef on copy, Release on reset and destruction.
#pragma once
#include <objbase.h>

#include <utility>

template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  TComPtr(std::nullptr_t) {}
  explicit TComPtr(T* p) : p_(p) { if (p_) p_->AddRef(); }
  TComPtr(const TComPtr& o) : p_(o.p_) { if (p_) p_->AddRef(); }
  TComPtr(TComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ~TComPtr() { Reset(); }

  TComPtr& operator=(TComPtr o) noexcept { std::swap(p_, o.p_); return *this; }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // Releases what is held and returns the slot for an out parameter.
  T** Put() { Reset(); return &p_; }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }

  void Reset() { if (T* p = std::exchange(p_, nullptr)) p->Release(); }
  // Takes over a reference the caller already owns.
  void Attach(T* p) { Reset(); p_ = p; }
  T* Detach() { return std::exchange(p_, nullptr); }

  // QueryInterface; an empty pointer when the interface is not there.
  template <class U>
  TComPtr<U> As(REFIID iid) const {
    TComPtr<U> out;
    if (p_) p_->QueryInterface(iid, out.PutVoid());
    return out;
  }

  friend bool operator==(const TComPtr& a, const TComPtr& b) { return a.p_ == b.p_; }

 private:
  T* p_ = nullptr;
};
