// TControl, the base of every window of the program: forms, frames, pages and each
// standard control. The object owns its window, is neither copied nor moved (the
// window keeps a pointer to it), and tears down in a fixed order: detach from the
// parent, unhook the window procedure, destroy the window. No virtual function is
// called from the destructor.
//
// Two kinds of window:
// - windows of our own registered classes (forms, frames, custom-painted controls)
//   receive the object through CreateWindowEx's parameter and keep it in
//   GWLP_USERDATA from WM_NCCREATE on;
// - standard controls (BUTTON, STATIC, EDIT, ...) get our window procedure in front
//   of their class's, and the object in GWLP_USERDATA.
// Both end in the virtual WndProc. Notifications that a child sends its parent
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM, scroll
// messages, ...) are handed back to the child object's Reflected, so that each control
// raises its own events. No C++ exception leaves a window procedure: the trampolines
// pass it to the application's default error report.
//
// A new standard control slots in as a small class: a constructor that calls
// CreateStandardChild with its window class and styles, its events as public
// members, and a Reflected override that turns its notifications into those events
// (see TButton).
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "toolkit/Event.h"
#include "toolkit/Font.h"

// Where and how a child control is created. Controls are members of their form or
// frame and are created in its constructor from a table of these.
struct TControlArgs {
  std::wstring name;        // the component name, e.g. L"btnOK"
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::wstring caption;     // the window text
  int tabOrder = -1;        // -1: the control's place in creation order
  bool visible = true;
  bool enabled = true;
  int id = 0;               // 0: the parent's next id, 100, 101, ... in creation order
};

class TControl {
 public:
  // The first id handed out when a control is given none. Ids 1 and 2 stay free:
  // the dialog manager treats them as IDOK and IDCANCEL.
  static constexpr int kFirstAutoId = 100;

  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;
  TControl(TControl&&) = delete;
  TControl& operator=(TControl&&) = delete;

  const std::wstring& Name() const noexcept { return name_; }
  // Null before creation and once the window has been destroyed.
  HWND Handle() const noexcept { return handle_; }
  TControl* Parent() const noexcept { return parent_; }
  int Id() const noexcept { return id_; }

  // Geometry in the parent's client coordinates (screen coordinates for a form).
  void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const;
  int Left() const { return BoundsRect().left; }
  int Top() const { return BoundsRect().top; }
  int Width() const;
  int Height() const;
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  RECT ClientRect() const;
  int ClientWidth() const { return ClientRect().right; }
  int ClientHeight() const { return ClientRect().bottom; }

  // The control's own flags: a visible control on a hidden form is Visible().
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);

  void SetFocus();
  bool Focused() const;
  void Invalidate();

  // The font shared with the parent unless set otherwise. Changing it also changes
  // the children that use the same font as this control did.
  const TFontRef& Font() const noexcept { return font_; }
  void SetFont(TFontRef font);

  // Keyboard order among the siblings: lower first; ties keep creation order. Win32
  // takes the tab order from the z-order, so the parent rearranges its children.
  int TabOrder() const noexcept { return tabOrder_; }
  void SetTabOrder(int tabOrder);

  // What screen readers call the control when the platform cannot tell it from the
  // window (a button that shows only a picture, a grid); empty: the platform's own
  // name, the window text or the label before it (see toolkit/Accessible.h). The
  // window text stays as it is, so code that finds the control by it still does.
  virtual std::wstring AccessibleName() const { return accessibleName_; }
  virtual void SetAccessibleName(std::wstring name) { accessibleName_ = std::move(name); }

  // The child controls, in creation order.
  const std::vector<TControl*>& Controls() const noexcept { return children_; }
  // The first descendant with this name, depth first; null when there is none.
  TControl* FindControl(std::wstring_view name) const;

  // The object of a window of one of our own classes; null for any other window.
  static TControl* FromHandle(HWND handle);

  // Enter or Escape, pressed where the focus is, offered to the focused control's own
  // windows from the inside out (see TApplication). True when this window acted on it
  // (pressed its default or cancel button); the key then goes no further. Tab, Page Up
  // and Page Down come here too while Ctrl is held, for pages with tabs to switch them.
  virtual bool DialogKey(WPARAM key) { return false; }

 protected:
  // A top-level window; the derived class creates it with CreateOwnTopLevel.
  explicit TControl(std::wstring name);
  // A child of `parent`; the derived class creates it with CreateStandardChild or
  // CreateOwnChild. Name, id and tab order come from args; the font is the parent's.
  TControl(TControl& parent, const TControlArgs& args);

  // Registers a window class of our own unless it exists. Every window of such a
  // class must be created through CreateOwnChild or CreateOwnTopLevel.
  static void RegisterOwnClass(const wchar_t* className, UINT classStyle = CS_DBLCLKS);

  // Creates the child window from the args given at construction; WS_CHILD,
  // WS_VISIBLE, WS_DISABLED and the id are added here. Throws EError on failure.
  void CreateStandardChild(const TControlArgs& args, const wchar_t* className, DWORD style,
                           DWORD exStyle = 0);
  void CreateOwnChild(const TControlArgs& args, const wchar_t* className, DWORD style,
                      DWORD exStyle = 0);
  void CreateOwnTopLevel(const wchar_t* className, const std::wstring& caption, DWORD style,
                         DWORD exStyle, const RECT& bounds, HWND owner);

  // The window procedure. Overrides handle what they need and pass the rest on to
  // the base class, which ends in DefaultProc. Messages sent while a base class
  // constructor creates the window reach that base class's WndProc only.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The platform's processing: DefWindowProc, or the standard control's own.
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // Makes this control (a label) the one that names `field`, a sibling, for screen
  // readers: the platform names an edit, a list, a combo box or a track bar after the
  // static text just before it in z-order. The label keeps that place whatever the
  // keyboard's order, in which it takes no part itself; null ends the link.
  void SetLabelFor(TControl* field);
  TControl* LabelFor() const noexcept { return labelFor_; }

  // A notification this control sent its parent, handed back by the parent. The
  // result is the parent's answer; nullopt lets the parent's default processing
  // answer instead.
  virtual std::optional<LRESULT> Reflected(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK OwnClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK StandardClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  void Detach() noexcept;
  void AfterCreate();
  HWND CreateChildWindow(const TControlArgs& args, const wchar_t* className, DWORD style,
                         DWORD exStyle, void* param);

  std::optional<LRESULT> ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam);
  TControl* ChildByHandle(HWND handle) const;
  TControl* ChildById(int id) const;
  void RemoveChild(TControl* child) noexcept;
  void PlaceInTabOrder(TControl* child);
  std::vector<TControl*> ZOrder() const;
  void PlaceAfterPredecessor(TControl* child, const std::vector<TControl*>& order);
  void ApplyFont(bool redraw);

  std::wstring name_;
  HWND handle_ = nullptr;
  TControl* parent_ = nullptr;
  WNDPROC classProc_ = nullptr;  // a standard control's own procedure, behind ours
  int id_ = 0;
  int tabOrder_ = -1;
  int creationIndex_ = 0;
  TControl* labelFor_ = nullptr;
  std::wstring accessibleName_;
  TFontRef font_;
  std::vector<TControl*> children_;
  int childrenCreated_ = 0;
  int nextAutoId_ = kFirstAutoId;
};

// For a button's BM_CLICK: a click sent from another program (automation, accessibility
// tools) is posted again and done from the message loop, because COM refuses outgoing
// calls from a handler running inside another program's call and handlers call other
// processes. True when it was posted: the caller returns at once.
bool RepostSentClick(HWND button);

// True when the window can take the keyboard focus: it and every container around it up
// to its top-level window are shown and enabled (a control keeps its own flags inside a
// hidden or disabled container, but takes no input there). The top-level window's own
// state does not count: a hidden main window, as in tests, keeps no control from it.
bool CanTakeFocus(HWND window);
// The first control inside `container` that Tab would reach and that can take the focus,
// in the dialog manager's order (z-order, into WS_EX_CONTROLPARENT containers); null when
// there is none.
HWND FirstTabStop(HWND container);
// True for the WM_CTLCOLOR* messages a parent gets to colour its standard children.
bool IsCtlColorMessage(UINT msg);
// For what is written again and again (a poll's readings): only a change reaches the
// window, since every write repaints the control (and, for a transparent label, the
// picture behind it). The caption is compared with what the window holds, read without
// a message.
void ShowCaption(TControl& control, const std::wstring& caption);
