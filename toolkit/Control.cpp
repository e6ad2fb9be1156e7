#include "toolkit/Control.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/Accessible.h"
#include "toolkit/Application.h"
#include "toolkit/Cursor.h"
#include "toolkit/Exception.h"
#include "toolkit/SystemError.h"
#include "toolkit/FailureTexts.h"
#include "toolkit/ResString.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// The common controls (trackbar, up-down, tab) must be registered before their
// first window; the user32 classes need nothing.
void EnsureCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}


}  // namespace

TControl::TControl(std::wstring name) : name_(std::move(name)) {}

TControl::TControl(TControl& parent, const TControlArgs& args)
    : name_(args.name),
      parent_(&parent),
      id_(args.id != 0 ? args.id : parent.nextAutoId_++),
      tabOrder_(args.tabOrder),
      creationIndex_(parent.childrenCreated_++),
      font_(parent.font_) {
  parent.children_.push_back(this);
}

TControl::~TControl() {
  // Children that outlive this object lose their parent; their windows go with ours.
  for (TControl* child : children_) child->parent_ = nullptr;
  if (parent_) parent_->RemoveChild(this);
  if (HWND handle = handle_) {
    Detach();
    DestroyWindow(handle);
  }
}

void TControl::RegisterOwnClass(const wchar_t* className, UINT classStyle) {
  WNDCLASSEXW existing{sizeof existing};
  if (GetClassInfoExW(Instance(), className, &existing)) {
    // A window of a class registered elsewhere would never reach its object.
    if (existing.lpfnWndProc != &TControl::OwnClassProc)
      throw EError(L"The window class " + std::wstring(className) + L" belongs to other code");
    return;
  }
  WNDCLASSEXW wc{sizeof wc};
  wc.style = classStyle;
  wc.lpfnWndProc = &TControl::OwnClassProc;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // No class brush: our windows paint their whole client area themselves.
  wc.lpszClassName = className;
  if (!RegisterClassExW(&wc)) ThrowLastError(L"Cannot register the window class " + std::wstring(className));
}

HWND TControl::CreateChildWindow(const TControlArgs& args, const wchar_t* className, DWORD style,
                                 DWORD exStyle, void* param) {
  if (!parent_ || !parent_->handle_)
    throw EError(L"The parent of " + name_ + L" has no window");
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (args.visible) style |= WS_VISIBLE;
  if (!args.enabled) style |= WS_DISABLED;
  // Parents never need to hear about their children's creation or destruction, and
  // WM_PARENTNOTIFY would reach a form while its members are being torn down.
  exStyle |= WS_EX_NOPARENTNOTIFY;
  HWND handle = CreateWindowExW(exStyle, className, args.caption.c_str(), style, args.left, args.top,
                                args.width, args.height, parent_->handle_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), Instance(), param);
  if (!handle) ThrowLastError(L"Cannot create the control " + name_);
  return handle;
}

void TControl::CreateStandardChild(const TControlArgs& args, const wchar_t* className, DWORD style,
                                   DWORD exStyle) {
  EnsureCommonControls();
  HWND handle = CreateChildWindow(args, className, style, exStyle, nullptr);
  // The object goes in GWLP_USERDATA (the application's slot of a standard control)
  // and our procedure in front of the class's. A window procedure of our own costs
  // nothing per message, where the common controls' subclass chain looks its data up
  // in a window property on every message (a round trip to the server under Wine).
  SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  classProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::StandardClassProc)));
  if (!classProc_) {
    DestroyWindow(handle);
    throw EError(FormatResString(kTextControlNotSubclassed, {name_}));
  }
  handle_ = handle;
  AfterCreate();
}

void TControl::CreateOwnChild(const TControlArgs& args, const wchar_t* className, DWORD style,
                              DWORD exStyle) {
  RegisterOwnClass(className);
  CreateChildWindow(args, className, style, exStyle, this);  // sets handle_ at WM_NCCREATE
  AfterCreate();
}

void TControl::CreateOwnTopLevel(const wchar_t* className, const std::wstring& caption, DWORD style,
                                 DWORD exStyle, const RECT& bounds, HWND owner) {
  RegisterOwnClass(className);
  HWND handle = CreateWindowExW(exStyle, className, caption.c_str(), style, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, owner,
                                nullptr, Instance(), this);
  if (!handle) ThrowLastError(L"Cannot create the window " + name_);
  AfterCreate();
}

void TControl::AfterCreate() {
  ApplyFont(false);  // nothing has been painted yet
  if (parent_) parent_->PlaceInTabOrder(this);
}

LRESULT CALLBACK TControl::OwnClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE && !self) {
    self = static_cast<TControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) {
      self->handle_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  // Top-level windows get WM_GETMINMAXINFO before WM_NCCREATE: no object yet.
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT CALLBACK TControl::StandardClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
    return self->Dispatch(msg, wParam, lParam);
  // Detached while another procedure still calls ours: the class's own procedure, which
  // is what ours was put in front of, handles the window.
  const auto classProc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC));
  return CallWindowProcW(classProc, hwnd, msg, wParam, lParam);
}

LRESULT TControl::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  LRESULT result = 0;
  try {
    result = WndProc(msg, wParam, lParam);
  } catch (...) {
    Application().HandleException();
    // The window must still be torn down properly by the platform.
    if (msg == WM_NCDESTROY) result = DefaultProc(msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) Detach();
  return result;
}

void TControl::Detach() noexcept {
  if (!handle_) return;
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  // Our procedure steps out unless another was put in front of it since.
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle_, GWLP_WNDPROC));
  if (classProc_ && current == &TControl::StandardClassProc)
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc_));
  handle_ = nullptr;
}

TControl* TControl::FromHandle(HWND handle) {
  if (!handle) return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(handle, &process);
  if (process != GetCurrentProcessId()) return nullptr;
  const auto proc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(handle, GCLP_WNDPROC));
  if (proc != &TControl::OwnClassProc) return nullptr;
  return reinterpret_cast<TControl*>(GetWindowLongPtrW(handle, GWLP_USERDATA));
}

LRESULT TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto reflected = ReflectToChild(msg, wParam, lParam)) return *reflected;
  if (msg == WM_GETOBJECT) {
    if (const std::wstring name = AccessibleName(); !name.empty())
      if (const LRESULT object = AnswerAccessibleName(handle_, wParam, lParam, name)) return object;
  }
  if (msg == WM_SETCURSOR && Screen().Cursor()) {
    ::SetCursor(Screen().Cursor());
    return TRUE;
  }
  return DefaultProc(msg, wParam, lParam);
}

LRESULT TControl::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (classProc_) return CallWindowProcW(classProc_, handle_, msg, wParam, lParam);
  return DefWindowProcW(handle_, msg, wParam, lParam);
}

std::optional<LRESULT> TControl::Reflected(UINT, WPARAM, LPARAM) { return std::nullopt; }

// Finds the child that sent a notification; only direct children of ours are asked,
// so notifications of other windows (a combo box's edit, a list's header) take the
// default path.
std::optional<LRESULT> TControl::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam) {
  TControl* child = nullptr;
  switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      child = ChildByHandle(reinterpret_cast<HWND>(lParam));
      break;
    case WM_NOTIFY:
      if (lParam) child = ChildByHandle(reinterpret_cast<NMHDR*>(lParam)->hwndFrom);
      break;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item && item->CtlType != ODT_MENU) child = ChildByHandle(item->hwndItem);
      break;
    }
    case WM_MEASUREITEM: {
      // Sent while the child is still being created, before its handle is known.
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (item && item->CtlType != ODT_MENU) child = ChildById(static_cast<int>(item->CtlID));
      break;
    }
    case WM_COMPAREITEM:
      if (lParam) child = ChildByHandle(reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem);
      break;
    case WM_DELETEITEM:
      if (lParam) child = ChildByHandle(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem);
      break;
    default:
      if (IsCtlColorMessage(msg)) child = ChildByHandle(reinterpret_cast<HWND>(lParam));
      break;
  }
  if (!child) return std::nullopt;
  return child->Reflected(msg, wParam, lParam);
}

TControl* TControl::ChildByHandle(HWND handle) const {
  if (!handle) return nullptr;
  for (TControl* child : children_)
    if (child->handle_ == handle) return child;
  return nullptr;
}

TControl* TControl::ChildById(int id) const {
  for (TControl* child : children_)
    if (child->id_ == id) return child;
  return nullptr;
}

void TControl::RemoveChild(TControl* child) noexcept {
  children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
  for (TControl* label : children_)
    if (label->labelFor_ == child) label->labelFor_ = nullptr;
}

TControl* TControl::FindControl(std::wstring_view name) const {
  for (TControl* child : children_) {
    if (child->name_ == name) return child;
    if (TControl* found = child->FindControl(name)) return found;
  }
  return nullptr;
}

void TControl::SetTabOrder(int tabOrder) {
  if (tabOrder == tabOrder_) return;
  tabOrder_ = tabOrder;
  if (parent_) parent_->PlaceInTabOrder(this);
}

void TControl::SetLabelFor(TControl* field) {
  if (field && (field == this || field->parent_ != parent_ || !parent_))
    throw EError(L"The label " + name_ + L" can only name a sibling");
  labelFor_ = field;
  if (!parent_) return;
  // The field goes to its place again, and its labels right before it.
  if (field)
    parent_->PlaceInTabOrder(field);
  else
    parent_->PlaceInTabOrder(this);
}

// The children in z-order: the keyboard's order (tab order, ties in creation order),
// with each label just before the field it names.
std::vector<TControl*> TControl::ZOrder() const {
  std::vector<TControl*> order;
  for (TControl* c : children_)
    if (!c->labelFor_) order.push_back(c);
  const auto key = [](const TControl* c) { return c->tabOrder_ >= 0 ? c->tabOrder_ : c->creationIndex_; };
  std::stable_sort(order.begin(), order.end(),
                   [&](const TControl* a, const TControl* b) { return key(a) < key(b); });
  for (TControl* label : children_)
    if (label->labelFor_) order.insert(std::find(order.begin(), order.end(), label->labelFor_), label);
  return order;
}

// Puts `child` right behind the nearest control before it in `order` that has a
// window, its own labels left out (they are placed after it).
void TControl::PlaceAfterPredecessor(TControl* child, const std::vector<TControl*>& order) {
  if (!child->handle_) return;
  HWND after = HWND_TOP;
  for (auto it = std::find(order.begin(), order.end(), child); it != order.begin();) {
    --it;
    if ((*it)->handle_ && (*it)->labelFor_ != child) {
      after = (*it)->handle_;
      break;
    }
  }
  if (GetWindow(child->handle_, GW_HWNDPREV) == after) return;  // HWND_TOP is null
  SetWindowPos(child->handle_, after, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// The dialog manager walks the children in z-order, top first, and screen readers
// name a field after the static text just before it. Each placement moves the child
// behind its predecessor in that order, then the child's labels between the two; the
// others keep the relative order earlier placements gave them. A new child starts at
// the bottom, so controls created in tab order need no move at all (a move costs a
// round trip to the window server under Wine).
void TControl::PlaceInTabOrder(TControl* child) {
  const std::vector<TControl*> order = ZOrder();
  PlaceAfterPredecessor(child, order);
  for (TControl* label : order)
    if (label->labelFor_ == child) PlaceAfterPredecessor(label, order);
}

void TControl::SetFont(TFontRef font) {
  if (!font || font == font_) return;
  const TFontRef old = std::exchange(font_, std::move(font));
  ApplyFont(true);
  for (TControl* child : children_)
    if (child->font_ == old) child->SetFont(font_);
}

void TControl::ApplyFont(bool redraw) {
  if (handle_ && font_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_->Handle()), redraw);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TControl::BoundsRect() const {
  RECT rect{};
  if (!handle_) return rect;
  GetWindowRect(handle_, &rect);
  if (GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int TControl::Width() const {
  const RECT r = BoundsRect();
  return r.right - r.left;
}

int TControl::Height() const {
  const RECT r = BoundsRect();
  return r.bottom - r.top;
}

void TControl::SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
void TControl::SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
void TControl::SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
void TControl::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

RECT TControl::ClientRect() const {
  RECT rect{};
  if (handle_) GetClientRect(handle_, &rect);
  return rect;
}

bool TControl::Visible() const {
  return handle_ && (GetWindowLongW(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TControl::SetVisible(bool visible) {
  if (handle_ && visible != Visible()) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

bool TControl::Enabled() const { return handle_ && IsWindowEnabled(handle_); }

void TControl::SetEnabled(bool enabled) {
  if (handle_) EnableWindow(handle_, enabled);
}

std::wstring TControl::Caption() const {
  if (!handle_) return {};
  const int length = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(handle_, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

void TControl::SetCaption(const std::wstring& caption) {
  if (handle_) SetWindowTextW(handle_, caption.c_str());
}

void TControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool TControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TControl::Invalidate() {
  // A window that is not on screen needs no mark: showing it (or its parent) paints
  // all of it anyway, and the mark is a round trip to the server under Wine, many of
  // them while the main window is built hidden.
  if (handle_ && IsWindowVisible(handle_)) InvalidateRect(handle_, nullptr, TRUE);
}

bool RepostSentClick(HWND button) {
  if (!InSendMessage()) return false;
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

bool CanTakeFocus(HWND window) {
  if (!window || !IsWindow(window)) return false;
  for (HWND w = window; w && (GetWindowLongW(w, GWL_STYLE) & WS_CHILD); w = GetParent(w)) {
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) return false;
  }
  return true;
}

HWND FirstTabStop(HWND container) {
  for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) continue;
    if ((style & WS_TABSTOP) && CanTakeFocus(child)) return child;
    if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
      if (HWND inner = FirstTabStop(child)) return inner;
  }
  return nullptr;
}

bool IsCtlColorMessage(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

void ShowCaption(TControl& control, const std::wstring& caption) {
  wchar_t shown[256] = {};  // longer than any caption written this way
  const int length = InternalGetWindowText(control.Handle(), shown, 256);
  if (std::wstring_view(shown, static_cast<size_t>(std::max(length, 0))) != caption) control.SetCaption(caption);
}
