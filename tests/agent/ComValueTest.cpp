// The automation values the agent boundary carries: string arrays in their two
// shapes, lower bounds other than 0, and values that are not arrays of strings.
#include <gtest/gtest.h>

#include "toolkit/ComValue.h"
#include "toolkit/Exception.h"
#include "toolkit/OleCheck.h"

namespace {

TEST(ComValue, StringArraysRoundTrip) {
  const std::vector<std::wstring> strings = {L"", L"a", L"维特兰诺", std::wstring(5000, L'x')};
  TVariant v = StringsToVariant(strings);
  EXPECT_EQ(V_VT(&v.Get()), VT_ARRAY | VT_VARIANT);
  EXPECT_EQ(VariantToStrings(v.Get()), strings);
  EXPECT_TRUE(VariantToStrings(StringsToVariant({}).Get()).empty());
  EXPECT_TRUE(VariantToStrings(TVariant().Get()).empty());
}

TEST(ComValue, BStrArrayWithLowerBoundOne) {
  SAFEARRAYBOUND bound{2, 1};
  SAFEARRAY* a = SafeArrayCreate(VT_BSTR, 1, &bound);
  LONG i = 1;
  SafeArrayPutElement(a, &i, TBStr(L"first").Get());
  i = 2;
  SafeArrayPutElement(a, &i, TBStr(L"second").Get());
  TVariant v;
  VARIANT* slot = v.Put();
  V_VT(slot) = VT_ARRAY | VT_BSTR;
  V_ARRAY(slot) = a;
  EXPECT_EQ(VariantToStrings(v.Get()), (std::vector<std::wstring>{L"first", L"second"}));
}

TEST(ComValue, NonStringValuesAreRejected) {
  TVariant number;
  VARIANT* n = number.Put();
  V_VT(n) = VT_I4;
  V_I4(n) = 7;
  EXPECT_THROW(VariantToStrings(number.Get()), EError);

  SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
  TVariant matrix;
  VARIANT* m = matrix.Put();
  V_VT(m) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(m) = SafeArrayCreate(VT_VARIANT, 2, bounds);
  EXPECT_THROW(VariantToStrings(matrix.Get()), EError);

  // By reference: read through the pointer, and a null pointer is an error, not a crash.
  TVariant strings = StringsToVariant({L"a", L"b"});
  SAFEARRAY* array = V_ARRAY(&strings.Get());
  VARIANT byRef;
  VariantInit(&byRef);
  V_VT(&byRef) = VT_ARRAY | VT_VARIANT | VT_BYREF;
  V_ARRAYREF(&byRef) = &array;
  EXPECT_EQ(VariantToStrings(byRef), (std::vector<std::wstring>{L"a", L"b"}));
  V_ARRAYREF(&byRef) = nullptr;
  EXPECT_THROW(VariantToStrings(byRef), EError);
}

TEST(OleCheck, PassesSuccessAndRaisesFailure) {
  EXPECT_EQ(OleCheck(S_FALSE), S_FALSE);
  try {
    OleCheck(E_OUTOFMEMORY);
    FAIL();
  } catch (const EOleError& e) {
    EXPECT_EQ(e.Code(), E_OUTOFMEMORY);
    EXPECT_FALSE(e.Message().empty());
  }
  // A status the system has no text for still gets a readable message.
  try {
    OleCheck(static_cast<HRESULT>(0xA0047E57));
    FAIL();
  } catch (const EOleError& e) {
    EXPECT_NE(e.Message().find(L"A0047E57"), std::wstring::npos) << ToUtf8(e.Message());
  }
}

}  // namespace
