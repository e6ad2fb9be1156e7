#include "toolkit/Application.h"

#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "toolkit/StartupTrace.h"

namespace {

std::wstring ExecutableName() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, n);
  name.erase(0, name.find_last_of(L"\\/") + 1);
  if (const size_t dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.erase(dot);
  return name;
}

}  // namespace

TApplication& Application() {
  static TApplication application;
  return application;
}

TApplication::TApplication() : title_(ExecutableName()) {}

std::wstring ErrorReportText(std::wstring message) {
  if (message.empty()) return message;
  // The ideographic full stops sort after '.' but end a sentence already: "。." would
  // end it twice.
  switch (message.back()) {
    case L'\u3002':  // 。
    case L'\uFF0E':  // ．, full width
    case L'\uFF61':  // ｡, half width
      return message;
  }
  if (message.back() > L'.') message += L'.';
  return message;
}

namespace {

// True when the focused window wants this key itself: a multi-line edit its Enter, a
// combo box whose list is dropped down its Enter and Escape (they close the list).
bool FocusWantsKey(HWND focus, const MSG& msg) {
  for (HWND combo : {focus, GetParent(focus)}) {  // the edit of a combo box is its child
    wchar_t name[16] = {};
    if (combo && GetClassNameW(combo, name, 16) && lstrcmpiW(name, L"ComboBox") == 0 &&
        SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
      return true;
  }
  const LRESULT code = SendMessageW(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
}

bool IsPushButton(HWND window) {
  return (SendMessageW(window, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

}  // namespace

// Enter and Escape as a Windows user expects them in a dialog: Enter on a push button
// presses that button; otherwise the windows around the focus, innermost first, are
// asked (DialogKey), so the page on show presses its own default or Back/Cancel
// button. The dialog manager alone would send IDOK or IDCANCEL to the main window,
// whose own buttons commit or discard everything.
//
// Ctrl with Tab, Page Up or Page Down switches the tabs of a tabbed page, as in a
// property sheet: offered the same way, before the focus sees it (a memo would take
// Ctrl+Tab as a tab character).
bool TApplication::DispatchDialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || GetKeyState(VK_MENU) < 0) return false;
  const HWND focus = msg.hwnd;
  if (!focus) return false;
  const bool tabSwitch = GetKeyState(VK_CONTROL) < 0 &&
                         (msg.wParam == VK_TAB || msg.wParam == VK_PRIOR || msg.wParam == VK_NEXT);
  if (tabSwitch) return OfferDialogKey(focus, msg.wParam);
  if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) return false;
  if (FocusWantsKey(focus, msg)) return false;
  if (msg.wParam == VK_RETURN && IsPushButton(focus)) {
    SendMessageW(focus, BM_CLICK, 0, 0);
    return true;
  }
  return OfferDialogKey(focus, msg.wParam);
}

bool TApplication::OfferDialogKey(HWND focus, WPARAM key) {
  for (HWND window = focus; window; window = GetParent(window)) {
    if (TControl* control = TControl::FromHandle(window); control && control->DialogKey(key))
      return true;
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_CHILD)) break;
  }
  return false;
}

// Keyboard navigation (Tab, arrows, mnemonics) in our forms comes from the dialog
// manager, which works on any window whose children have WS_TABSTOP and WS_GROUP.
//
// A key message can still arrive for a control that its key's own press has just hidden
// (the character of a Space whose release, queued before it, clicked a button that
// changed the page). Wine's dialog manager looks for a mnemonic by walking the window's
// shown neighbours until it comes back to the window, which it never does from inside a
// hidden page: such a message is only dispatched.
void TApplication::Dispatch(MSG& msg) {
  if (DispatchDialogKey(msg)) return;
  // Only keys go through the dialog manager: it dispatches everything else as it
  // comes, and the timers' and painting's messages, most of an idle window's, are
  // spared the walk to the root.
  const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
  if (key && msg.hwnd && CanTakeFocus(msg.hwnd)) {
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (dynamic_cast<TForm*>(TControl::FromHandle(root)) && IsDialogMessageW(root, &msg)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int TApplication::Run(TForm& mainForm) {
  if (!mainForm.Handle()) return 0;
  mainForm_ = &mainForm;
  mainForm.Show();
  StartupStep("main window shown");
  MSG msg;
  int result = 0;
  // Checked after each message: the main form's window is destroyed inside one of them.
  while (mainForm.Handle()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      result = got == 0 ? static_cast<int>(msg.wParam) : -1;
      break;
    }
    Dispatch(msg);
  }
  // The form went inside the last message: take back the WM_QUIT it posted.
  if (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) result = static_cast<int>(msg.wParam);
  mainForm_ = nullptr;
  return result;
}

void TApplication::FormDestroyed(const TForm& form) {
  // The main form may go inside a nested message loop: one that COM runs while a
  // call to another process waits, or one of a modal box. Such a loop dispatches a
  // plain wake-up message itself, so the main loop would sleep on; WM_QUIT is handed
  // back by every nested loop to the loop that owns it.
  if (&form == mainForm_)
    PostQuitMessage(0);
  else
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

bool TApplication::HandleMessage() {
  MSG msg;
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  if (got == -1) return false;
  Dispatch(msg);
  return true;
}

void TApplication::HandleException() noexcept {
  const std::exception_ptr error = std::current_exception();
  try {
    if (error && ExceptionFilter && ExceptionFilter(error)) return;
  } catch (...) {
    // A failing filter leaves the exception to the report.
  }
  ReportError(error ? ExceptionMessage(error) : std::wstring());
}

void TApplication::ShowException(const std::exception& error) noexcept {
  ReportError(ExceptionMessage(error));
}

void TApplication::ReportError(std::wstring message) noexcept {
  try {
    const std::wstring text = ErrorReportText(std::move(message));
    if (OnException) {
      OnException(text);
      return;
    }
    // Modal to the active window; with none (no window of ours is active) the box
    // disables every window of the thread instead.
    HWND owner = GetActiveWindow();
    MessageBoxW(owner, text.c_str(), title_.c_str(),
                MB_ICONERROR | MB_OK | (owner ? 0 : MB_TASKMODAL));
  } catch (...) {
    // Nothing may leave the report: it runs inside window procedures.
    MessageBeep(MB_ICONERROR);
  }
}
