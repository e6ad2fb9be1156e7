// What a screen reader hears of a window, worked out the way the platform's
// accessibility layer does on Windows, for tests in this process and across processes.
//
// Wine's accessibility layer reads every window's text as its name; the one on Windows
// names an edit, a list, a combo box, a track bar or an up-down control (controls
// whose text is their content, or that have none) after a label: walking back through
// the window's siblings in z-order, the first static control's text (visible or not);
// a hidden window is passed over, and a visible tab stop or group start ends the walk
// without a name. Other windows are named by their text, the first '&' dropped. A
// window that answers WM_GETOBJECT for OBJID_CLIENT names itself through that object.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

namespace vt::test {

// The label rule alone: the text of the static that names `window`; empty when none.
std::wstring LabelName(HWND window);
// The static window that the label rule reads for `window`; null when none.
HWND LabelOf(HWND window);
// True for the window classes that the platform names after a label.
bool NamedByLabel(HWND window);

// The window's own accessible object, when it answers WM_GETOBJECT (in this or another
// process); empty when it leaves the answer to the platform.
class TAccessibleObject {
 public:
  explicit TAccessibleObject(HWND window);
  ~TAccessibleObject();
  TAccessibleObject(const TAccessibleObject&) = delete;
  TAccessibleObject& operator=(const TAccessibleObject&) = delete;

  explicit operator bool() const noexcept { return object_ != nullptr; }
  // The object itself (child 0) or a child 1 to ChildCount().
  std::wstring Name(long child = 0) const { return Text(&IAccessible::get_accName, child); }
  std::wstring Description(long child = 0) const { return Text(&IAccessible::get_accDescription, child); }
  long Role(long child = 0) const { return Number(&IAccessible::get_accRole, child); }
  long State(long child = 0) const { return Number(&IAccessible::get_accState, child); }
  long ChildCount() const;
  // The names of the children, as AccessibleChildren lists them.
  std::vector<std::wstring> ChildNames() const;
  // The HRESULT of asking the name of `child` (for children that do not exist).
  long NameResult(long child) const;

 private:
  using TTextProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
  std::wstring Text(TTextProperty property, long child) const;
  using TNumberProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT*);
  // A property given as a number (a role, a state); -1 when there is none.
  long Number(TNumberProperty property, long child) const;

  IAccessible* object_ = nullptr;
};

// The name a screen reader hears for the window.
std::wstring AccessibleName(HWND window);

}  // namespace vt::test
