#include "tests/support/AccessibleNames.h"

#include <cwchar>

namespace vt::test {

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

bool IsClass(HWND window, const wchar_t* name) { return _wcsicmp(ClassOf(window).c_str(), name) == 0; }

std::wstring TextOf(HWND window) {
  // Without a message: the program under test may be busy.
  wchar_t text[1024] = {};
  const int length = InternalGetWindowText(window, text, 1024);
  return std::wstring(text, length > 0 ? length : 0);
}

std::wstring Take(BSTR text) {
  std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return result;
}

VARIANT Child(long id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

long I4(const VARIANT& value) { return value.vt == VT_I4 ? value.lVal : -1; }

}  // namespace

HWND LabelOf(HWND window) {
  for (HWND w = GetWindow(window, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
    if (IsClass(w, L"Static")) return w;
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    if (!(style & WS_VISIBLE)) continue;
    if (style & (WS_TABSTOP | WS_GROUP)) return nullptr;
  }
  return nullptr;
}

std::wstring LabelName(HWND window) {
  HWND label = LabelOf(window);
  return label ? TextOf(label) : std::wstring();
}

bool NamedByLabel(HWND window) {
  for (const wchar_t* name : {L"Edit", L"ComboBox", L"ListBox", L"msctls_trackbar32", L"msctls_updown32"})
    if (IsClass(window, name)) return true;
  return false;
}

TAccessibleObject::TAccessibleObject(HWND window) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), SMTO_ABORTIFHUNG, 30000,
                           &answer))
    return;
  if (static_cast<LRESULT>(answer) <= 0) return;
  if (FAILED(ObjectFromLresult(static_cast<LRESULT>(answer), __uuidof(IAccessible), 0,
                               reinterpret_cast<void**>(&object_))))
    object_ = nullptr;
}

TAccessibleObject::~TAccessibleObject() {
  if (object_) object_->Release();
}

std::wstring TAccessibleObject::Text(TTextProperty property, long child) const {
  BSTR text = nullptr;
  if (object_) (object_->*property)(Child(child), &text);
  return Take(text);
}

long TAccessibleObject::NameResult(long child) const {
  BSTR text = nullptr;
  const HRESULT result = object_ ? object_->get_accName(Child(child), &text) : E_POINTER;
  SysFreeString(text);
  return result;
}

long TAccessibleObject::Number(TNumberProperty property, long child) const {
  VARIANT number;
  VariantInit(&number);
  if (object_) (object_->*property)(Child(child), &number);
  const long value = I4(number);
  VariantClear(&number);
  return value;
}

long TAccessibleObject::ChildCount() const {
  long count = -1;
  if (object_) object_->get_accChildCount(&count);
  return count;
}

std::vector<std::wstring> TAccessibleObject::ChildNames() const {
  std::vector<std::wstring> names;
  const long count = ChildCount();
  if (count <= 0) return names;
  std::vector<VARIANT> children(static_cast<size_t>(count));
  long obtained = 0;
  if (FAILED(AccessibleChildren(object_, 0, count, children.data(), &obtained))) return names;
  // Simple elements come as child ids; an element with an object of its own is no item.
  for (long i = 0; i < obtained; ++i) {
    VARIANT& child = children[static_cast<size_t>(i)];
    names.push_back(child.vt == VT_I4 ? Name(child.lVal) : L"(object)");
    VariantClear(&child);
  }
  return names;
}

std::wstring AccessibleName(HWND window) {
  if (const TAccessibleObject own(window); own) return own.Name();
  if (NamedByLabel(window)) return LabelName(window);
  std::wstring text = TextOf(window);
  if (const size_t amp = text.find(L'&'); amp != std::wstring::npos) text.erase(amp, 1);
  return text;
}

}  // namespace vt::test
