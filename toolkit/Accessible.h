// What screen readers hear of a window the platform cannot describe by itself.
//
// The platform's accessibility layer (oleacc) describes a standard control from its
// window alone: a button or a label by its text; an edit, a list, a combo box or a
// track bar by the static text just before it in z-order (see TLabel::SetFocusControl);
// a window of our own classes by its text. A window whose name is nowhere in its text
// (a button that shows only a picture) or whose content only its owner's painting
// shows (a grid) answers WM_GETOBJECT for OBJID_CLIENT with an object made here: the
// platform's own object for the window (CreateStdAccessibleObject) answers everything
// except what the window adds, its name or its items as simple children.
//
// The object outlives nothing: a screen reader may keep it after the window is gone,
// so it holds the window's handle and a way to find the items again, never the
// control object itself.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The items a window lists (a grid's rows), as a screen reader walks them: children
// 1 to Count(), each a list item with a name.
class TAccessibleItems {
 public:
  virtual int AccessibleItemCount() const = 0;
  virtual std::wstring AccessibleItemName(int index) const = 0;
  // In the window's client coordinates; empty for an item that is not on screen.
  virtual RECT AccessibleItemRect(int index) const = 0;
  virtual bool AccessibleItemSelected(int index) const = 0;
  // What the items are, read as the window's description (a grid's column titles).
  virtual std::wstring AccessibleDescription() const = 0;

 protected:
  ~TAccessibleItems() = default;
};

// Finds the items of the window again on every call; null once the window is gone.
using TFindAccessibleItems = std::function<const TAccessibleItems*()>;

// The answer to WM_GETOBJECT: for OBJID_CLIENT the platform's object of `window`
// named `name` (the platform's name when empty); 0, the platform's own answer, for
// any other object or when COM cannot hand the object over.
LRESULT AnswerAccessibleName(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name);
// The same for a window that lists items: a list whose children are its items.
LRESULT AnswerAccessibleItems(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                              TFindAccessibleItems items);
