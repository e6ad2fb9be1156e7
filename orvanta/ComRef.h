// An owning COM interface pointer for the agent. The agent shares nothing with the
// program but the interface definitions, so it keeps its own small helper.
#pragma once
#include <objbase.h>

#include <utility>

template <class T>
class TComRef {
 public:
  TComRef() = default;
  explicit TComRef(T* p) : p_(p) { if (p_) p_->AddRef(); }
  TComRef(const TComRef& o) : p_(o.p_) { if (p_) p_->AddRef(); }
  TComRef(TComRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ~TComRef() { Reset(); }
  TComRef& operator=(TComRef o) noexcept { std::swap(p_, o.p_); return *this; }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // Releases what is held and returns the slot for an out parameter.
  T** Put() { Reset(); return &p_; }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset() { if (T* p = std::exchange(p_, nullptr)) p->Release(); }
  T* Detach() { return std::exchange(p_, nullptr); }

  template <class U>
  TComRef<U> As(REFIID iid) const {
    TComRef<U> out;
    if (p_) p_->QueryInterface(iid, out.PutVoid());
    return out;
  }

 private:
  T* p_ = nullptr;
};

// Owns a BSTR it was handed (an [out] result), freeing it on destruction.
class TOwnedBstr {
 public:
  TOwnedBstr() = default;
  TOwnedBstr(const TOwnedBstr&) = delete;
  TOwnedBstr& operator=(const TOwnedBstr&) = delete;
  ~TOwnedBstr() { SysFreeString(b_); }
  BSTR* Put() { SysFreeString(b_); b_ = nullptr; return &b_; }
  BSTR Get() const { return b_; }
  std::wstring Str() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

 private:
  BSTR b_ = nullptr;
};
