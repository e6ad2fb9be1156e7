#include "toolkit/Accessible.h"

#include <oleacc.h>

#include <atomic>
#include <utility>

#include "toolkit/ComPtr.h"
#include "toolkit/SystemLibrary.h"

namespace {

// The child id a VARIANT carries; CHILDID_SELF for an empty one (some clients pass
// VT_EMPTY for the object itself), -1 for anything else.
LONG ChildId(const VARIANT& child) {
  if (child.vt == VT_I4) return child.lVal;
  if (child.vt == VT_EMPTY) return CHILDID_SELF;
  return -1;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetI4(VARIANT* out, LONG value) {
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
}

// The platform's object with a name, or with items as children, put over it. What
// neither adds goes to the platform's object unchanged.
class TAccessible final : public IAccessible, public IOleWindow {
 public:
  TAccessible(HWND window, TComPtr<IAccessible> inner, std::wstring name, TFindAccessibleItems items)
      : window_(window), inner_(std::move(inner)), name_(std::move(name)), items_(std::move(items)) {}

  // IUnknown. No IEnumVARIANT: the platform's enumerates child windows, not items,
  // and without it clients ask accChildCount and accChild.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible))
      *out = static_cast<IAccessible*>(this);
    else if (iid == IID_IOleWindow)
      *out = static_cast<IOleWindow*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: the platform's.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return inner_->GetTypeInfoCount(count); }
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return inner_->GetTypeInfo(index, lcid, info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
    return inner_->GetIDsOfNames(iid, names, count, lcid, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argError) override {
    return inner_->Invoke(id, iid, lcid, flags, params, result, exception, argError);
  }

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IAccessible
  STDMETHODIMP get_accParent(IDispatch** parent) override { return inner_->get_accParent(parent); }

  STDMETHODIMP get_accChildCount(LONG* count) override {
    if (!items_) return inner_->get_accChildCount(count);
    if (!count) return E_POINTER;
    *count = Count();
    return S_OK;
  }

  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
    if (!items_) return inner_->get_accChild(child, object);
    if (!object) return E_POINTER;
    *object = nullptr;
    // Items are simple elements, described through their parent: no object of their own.
    return IsItem(ChildId(child)) ? S_FALSE : E_INVALIDARG;
  }

  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    const LONG id = ChildId(child);
    if (id == CHILDID_SELF && !name_.empty()) return Text(name_, name);
    if (!items_ || id == CHILDID_SELF) return inner_->get_accName(child, name);
    if (!IsItem(id)) return E_INVALIDARG;
    return Text(Items()->AccessibleItemName(id - 1), name);
  }

  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    return ItemOrInner(child, value, &IAccessible::get_accValue);
  }

  STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override {
    if (items_ && ChildId(child) == CHILDID_SELF) {
      const TAccessibleItems* items = Items();
      return Text(items ? items->AccessibleDescription() : std::wstring(), description);
    }
    return ItemOrInner(child, description, &IAccessible::get_accDescription);
  }

  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (!items_) return inner_->get_accRole(child, role);
    if (!role) return E_POINTER;
    const LONG id = ChildId(child);
    if (id != CHILDID_SELF && !IsItem(id)) return E_INVALIDARG;
    SetI4(role, id == CHILDID_SELF ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
    return S_OK;
  }

  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    const LONG id = ChildId(child);
    if (!items_ || id == CHILDID_SELF) return inner_->get_accState(child, state);
    if (!state) return E_POINTER;
    if (!IsItem(id)) return E_INVALIDARG;
    const TAccessibleItems& items = *Items();
    LONG flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (items.AccessibleItemSelected(id - 1)) {
      flags |= STATE_SYSTEM_SELECTED;
      if (GetFocus() == window_) flags |= STATE_SYSTEM_FOCUSED;
    }
    const RECT rect = Rect(items, id);
    if (IsRectEmpty(&rect)) flags |= STATE_SYSTEM_OFFSCREEN;
    if (!IsWindowEnabled(window_)) flags |= STATE_SYSTEM_UNAVAILABLE;
    SetI4(state, flags);
    return S_OK;
  }

  STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override {
    return ItemOrInner(child, help, &IAccessible::get_accHelp);
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return inner_->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return ItemOrInner(child, shortcut, &IAccessible::get_accKeyboardShortcut);
  }

  STDMETHODIMP get_accFocus(VARIANT* focus) override {
    if (!items_) return inner_->get_accFocus(focus);
    if (!focus) return E_POINTER;
    VariantInit(focus);
    if (GetFocus() != window_) return S_FALSE;
    SetI4(focus, SelectedItem());
    return S_OK;
  }

  STDMETHODIMP get_accSelection(VARIANT* selection) override {
    if (!items_) return inner_->get_accSelection(selection);
    if (!selection) return E_POINTER;
    VariantInit(selection);
    const LONG selected = SelectedItem();
    if (selected == CHILDID_SELF) return S_FALSE;
    SetI4(selection, selected);
    return S_OK;
  }

  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
    return ItemOrInner(child, action, &IAccessible::get_accDefaultAction);
  }

  STDMETHODIMP accSelect(LONG flags, VARIANT child) override {
    if (!items_ || ChildId(child) == CHILDID_SELF) return inner_->accSelect(flags, child);
    // Selecting is the user's: the grid's owner decides what a selection may do.
    return DISP_E_MEMBERNOTFOUND;
  }

  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    const LONG id = ChildId(child);
    if (!items_ || id == CHILDID_SELF) return inner_->accLocation(left, top, width, height, child);
    if (!left || !top || !width || !height) return E_POINTER;
    if (!IsItem(id)) return E_INVALIDARG;
    RECT rect = Rect(*Items(), id);
    MapWindowPoints(window_, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
  }

  STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    if (!items_) return inner_->accNavigate(direction, start, end);
    if (!end) return E_POINTER;
    VariantInit(end);
    const LONG from = ChildId(start), count = Count();
    LONG to = 0;
    if (from == CHILDID_SELF) {
      if (direction == NAVDIR_FIRSTCHILD) to = 1;
      else if (direction == NAVDIR_LASTCHILD) to = count;
      else return inner_->accNavigate(direction, start, end);
    } else {
      if (!IsItem(from)) return E_INVALIDARG;
      if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) to = from + 1;
      else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) to = from - 1;
      else return S_FALSE;
    }
    if (!IsItem(to)) return S_FALSE;
    SetI4(end, to);
    return S_OK;
  }

  STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override {
    if (!items_) return inner_->accHitTest(x, y, child);
    if (!child) return E_POINTER;
    VariantInit(child);
    POINT point{x, y};
    ScreenToClient(window_, &point);
    RECT client{};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, point)) return S_FALSE;
    if (const TAccessibleItems* items = Items()) {
      for (LONG id = 1; id <= Count(); ++id) {
        const RECT rect = Rect(*items, id);
        if (PtInRect(&rect, point)) {
          SetI4(child, id);
          return S_OK;
        }
      }
    }
    SetI4(child, CHILDID_SELF);
    return S_OK;
  }

  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    if (!items_ || ChildId(child) == CHILDID_SELF) return inner_->accDoDefaultAction(child);
    return DISP_E_MEMBERNOTFOUND;
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  const TAccessibleItems* Items() const { return items_ ? items_() : nullptr; }
  LONG Count() const {
    const TAccessibleItems* items = Items();
    return items ? items->AccessibleItemCount() : 0;
  }
  bool IsItem(LONG id) const { return id >= 1 && id <= Count(); }
  static RECT Rect(const TAccessibleItems& items, LONG id) { return items.AccessibleItemRect(id - 1); }
  LONG SelectedItem() const {
    if (const TAccessibleItems* items = Items())
      for (LONG id = 1; id <= Count(); ++id)
        if (items->AccessibleItemSelected(id - 1)) return id;
    return CHILDID_SELF;
  }

  // A text property: nothing for an item, the platform's for the object itself.
  HRESULT ItemOrInner(VARIANT child, BSTR* out, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
    const LONG id = ChildId(child);
    if (!items_ || id == CHILDID_SELF) return (inner_.Get()->*get)(child, out);
    if (!out) return E_POINTER;
    *out = nullptr;
    return IsItem(id) ? S_FALSE : E_INVALIDARG;
  }

  HWND window_;
  TComPtr<IAccessible> inner_;
  std::wstring name_;
  TFindAccessibleItems items_;
  std::atomic<ULONG> references_{1};
};

LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam, std::wstring name, TFindAccessibleItems items) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  // The accessibility library comes with the first question of a screen reader.
  static const auto createStandard =
      SystemFunctionOf<decltype(CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
  static const auto resultFromObject = SystemFunctionOf<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  if (!createStandard || !resultFromObject) return 0;
  TComPtr<IAccessible> inner;
  if (FAILED(createStandard(window, OBJID_CLIENT, __uuidof(IAccessible), inner.PutVoid())) || !inner) return 0;
  auto* object = new TAccessible(window, std::move(inner), std::move(name), std::move(items));
  // LresultFromObject takes its own reference for the caller.
  const LRESULT result = resultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
  object->Release();
  return result > 0 ? result : 0;
}

}  // namespace

LRESULT AnswerAccessibleName(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name) {
  return Answer(window, wParam, lParam, name, nullptr);
}

LRESULT AnswerAccessibleItems(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                              TFindAccessibleItems items) {
  return Answer(window, wParam, lParam, name, std::move(items));
}
