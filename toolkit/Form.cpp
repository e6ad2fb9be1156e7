#include "toolkit/Form.h"

#include <utility>

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Painting.h"

namespace {

RECT CentredWindowRect(const TFormArgs& args) {
  RECT rect{0, 0, args.clientWidth, args.clientHeight};
  AdjustWindowRectEx(&rect, args.style, FALSE, args.exStyle);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return RECT{left, top, left + width, top + height};
}

// Re-enables the owner of a modal form however its loop ends.
class TOwnerDisabled {
 public:
  explicit TOwnerDisabled(HWND owner) : owner_(owner && IsWindowEnabled(owner) ? owner : nullptr) {
    if (owner_) EnableWindow(owner_, FALSE);
  }
  ~TOwnerDisabled() {
    if (owner_) EnableWindow(owner_, TRUE);
  }
  TOwnerDisabled(const TOwnerDisabled&) = delete;
  TOwnerDisabled& operator=(const TOwnerDisabled&) = delete;

 private:
  HWND owner_;
};

// Whether the process was started with a show state other than a plain show.
bool StarterAsksShowState() {
  STARTUPINFOW startup{sizeof startup};
  GetStartupInfoW(&startup);
  if (!(startup.dwFlags & STARTF_USESHOWWINDOW)) return false;
  const WORD state = startup.wShowWindow;
  return state != SW_SHOW && state != SW_SHOWNORMAL && state != SW_SHOWDEFAULT;
}

}  // namespace

TForm::TForm(const TFormArgs& args) : TCustomControl(args.name) {
  if (args.className.empty()) throw EError(L"A form needs a window class name");
  if (args.clientWidth < 0 || args.clientHeight < 0) throw EError(L"Negative form size");
  SetFont(MakeFont(args.font));
  CreateOwnTopLevel(args.className.c_str(), args.caption, args.style & ~WS_VISIBLE, args.exStyle,
                    CentredWindowRect(args), args.owner);
  // The frame computed above can differ from the real one (a themed caption, a
  // wrapped menu); measure and correct so the client area is exactly as asked.
  SetClientSize(args.clientWidth, args.clientHeight);
}

void TForm::SetClientSize(int width, int height) {
  if (!Handle()) return;
  const RECT client = ClientRect();
  const int dw = width - client.right;
  const int dh = height - client.bottom;
  if (dw == 0 && dh == 0) return;
  SetWindowPos(Handle(), nullptr, 0, 0, Width() + dw, Height() + dh,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show() {
  if (!Handle()) return;
  // The first show of the process applies the state its starter asked for (a shortcut
  // set to start minimised or maximised), which only ShowWindow does.
  static bool startupStateApplied = false;
  if (!std::exchange(startupStateApplied, true) && StarterAsksShowState()) {
    ShowWindow(Handle(), SW_SHOW);
    return;
  }
  ShowErasingAtFirstPaint(Handle(), true);
}

void TForm::Close() {
  if (Handle()) SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

int TForm::ShowModal() {
  if (!Handle()) throw EError(L"The form " + Name() + L" has no window");
  if (modal_) throw EError(L"The form " + Name() + L" is already shown modally");
  modal_ = true;
  modalDone_ = false;
  modalResult_ = 0;
  {
    TOwnerDisabled owner(GetWindow(Handle(), GW_OWNER));
    Show();
    while (!modalDone_ && Handle()) {
      if (!Application().HandleMessage()) {
        modalResult_ = IDCANCEL;  // WM_QUIT: the program is ending
        break;
      }
    }
    // The owner is enabled before the form is hidden, so that it is the window
    // activated next rather than some other program's.
  }
  modal_ = false;
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
  return modalResult_;
}

void TForm::EndModal(int result) {
  modalResult_ = result;
  modalDone_ = true;
}

void TForm::HandleClose() {
  bool canClose = true;
  Fire(OnClose, *this, canClose);
  if (!canClose) return;
  if (modal_)
    EndModal(IDCANCEL);
  else
    DestroyWindow(Handle());
}

// A top-level window that is not a dialog does not remember its focused control
// across deactivation; do what the dialog manager does.
void TForm::RestoreFocus() {
  HWND target = lastFocus_;
  if (!target || !IsWindow(target) || !IsChild(Handle(), target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target))
    target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
  ::SetFocus(target ? target : Handle());
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      HandleClose();
      return 0;
    case WM_DESTROY:
      Fire(OnDestroy, *this);
      break;
    case WM_NCDESTROY:
      Application().FormDestroyed(*this);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        return 0;
      }
      if (!HIWORD(wParam)) {  // not minimised
        RestoreFocus();
        return 0;
      }
      break;
  }
  return TCustomControl::WndProc(msg, wParam, lParam);
}
