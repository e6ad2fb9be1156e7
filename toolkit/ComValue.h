// Owning wrappers for the automation types that cross the agent boundary: BSTR,
// VARIANT and one-dimensional arrays of strings.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <vector>

class TBStr {
 public:
  TBStr() = default;
  explicit TBStr(std::wstring_view text);
  TBStr(const TBStr&) = delete;
  TBStr& operator=(const TBStr&) = delete;
  TBStr(TBStr&& o) noexcept : b_(o.Detach()) {}
  TBStr& operator=(TBStr&& o) noexcept;
  ~TBStr() { Reset(); }

  BSTR Get() const { return b_; }
  // Frees what is held and returns the slot for an [out] BSTR.
  BSTR* Put() { Reset(); return &b_; }
  BSTR Detach() { BSTR b = b_; b_ = nullptr; return b; }
  void Reset();

  // The text, embedded NULs included; empty for a null BSTR.
  std::wstring Str() const;

 private:
  BSTR b_ = nullptr;
};

class TVariant {
 public:
  TVariant() { VariantInit(&v_); }
  TVariant(const TVariant&) = delete;
  TVariant& operator=(const TVariant&) = delete;
  TVariant(TVariant&& o) noexcept : v_(o.v_) { VariantInit(&o.v_); }
  ~TVariant() { VariantClear(&v_); }

  const VARIANT& Get() const { return v_; }
  // Clears what is held and returns the slot for an [out] VARIANT.
  VARIANT* Put() { VariantClear(&v_); return &v_; }
  VARIANT Detach() { VARIANT v = v_; VariantInit(&v_); return v; }

 private:
  VARIANT v_;
};

// The text of a VARIANT holding a string; empty for any other content.
std::wstring VariantString(const VARIANT& v);

// The strings of a one-dimensional array in a VARIANT: an array of VARIANTs holding
// strings, or an array of BSTRs, in index order. An empty VARIANT is an empty list;
// anything else raises EError.
std::vector<std::wstring> VariantToStrings(const VARIANT& v);

// A one-dimensional, zero-based array of VARIANTs holding the strings.
TVariant StringsToVariant(const std::vector<std::wstring>& strings);
