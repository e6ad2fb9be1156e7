#include "toolkit/ComValue.h"

#include "toolkit/Exception.h"
#include "toolkit/OleCheck.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

TBStr::TBStr(std::wstring_view text)
    : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {
  if (!b_) throw EOleError(E_OUTOFMEMORY, L"Out of memory");
}

TBStr& TBStr::operator=(TBStr&& o) noexcept {
  if (this != &o) {
    Reset();
    b_ = o.Detach();
  }
  return *this;
}

void TBStr::Reset() {
  if (b_) SysFreeString(b_);
  b_ = nullptr;
}

std::wstring TBStr::Str() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

namespace {

// Locks a safe array's data for the lifetime of the object.
class TArrayAccess {
 public:
  explicit TArrayAccess(SAFEARRAY* a) : a_(a) { OleCheck(SafeArrayAccessData(a_, &data_)); }
  ~TArrayAccess() { SafeArrayUnaccessData(a_); }
  template <class T>
  T* Data() const { return static_cast<T*>(data_); }

 private:
  SAFEARRAY* a_;
  void* data_ = nullptr;
};

std::wstring BStrText(BSTR b) { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }

}  // namespace

std::wstring VariantString(const VARIANT& v) {
  return V_VT(&v) == VT_BSTR ? BStrText(V_BSTR(&v)) : std::wstring();
}

std::vector<std::wstring> VariantToStrings(const VARIANT& v) {
  if (V_VT(&v) == VT_EMPTY || V_VT(&v) == VT_NULL) return {};
  const VARTYPE element = V_VT(&v) & ~(VT_ARRAY | VT_BYREF);
  const bool isArray = (V_VT(&v) & VT_ARRAY) != 0;
  SAFEARRAY* a = nullptr;
  if (isArray && !(V_VT(&v) & VT_BYREF))
    a = V_ARRAY(&v);
  else if (isArray && V_ARRAYREF(&v))  // a by-reference array may point nowhere
    a = *V_ARRAYREF(&v);
  if (!a || (element != VT_VARIANT && element != VT_BSTR))
    throw EError(FormatResString(kTextNotStringArray, {}));
  if (SafeArrayGetDim(a) != 1) throw EError(FormatResString(kTextNotOneDimension, {}));

  LONG lower = 0, upper = -1;
  OleCheck(SafeArrayGetLBound(a, 1, &lower));
  OleCheck(SafeArrayGetUBound(a, 1, &upper));
  const size_t count = upper >= lower ? static_cast<size_t>(upper - lower + 1) : 0;
  std::vector<std::wstring> out;
  out.reserve(count);
  TArrayAccess access(a);
  for (size_t i = 0; i < count; ++i) {
    if (element == VT_BSTR) {
      out.push_back(BStrText(access.Data<BSTR>()[i]));
      continue;
    }
    const VARIANT& item = access.Data<VARIANT>()[i];
    if (V_VT(&item) == VT_BSTR) {
      out.push_back(BStrText(V_BSTR(&item)));
    } else {
      TVariant text;
      OleCheck(VariantChangeType(text.Put(), const_cast<VARIANT*>(&item), 0, VT_BSTR));
      out.push_back(BStrText(V_BSTR(&text.Get())));
    }
  }
  return out;
}

TVariant StringsToVariant(const std::vector<std::wstring>& strings) {
  SAFEARRAY* a = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(strings.size()));
  if (!a) throw EOleError(E_OUTOFMEMORY, L"Out of memory");
  TVariant result;
  VARIANT* slot = result.Put();
  V_VT(slot) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(slot) = a;  // owned by the result from here on
  TArrayAccess access(a);
  for (size_t i = 0; i < strings.size(); ++i) {
    VARIANT& item = access.Data<VARIANT>()[i];
    V_VT(&item) = VT_BSTR;
    V_BSTR(&item) = TBStr(strings[i]).Detach();
  }
  return result;
}
