// TForm: a top-level window of our own class. The derived form names its window class
// (so that other programs and tests can find it by class) and creates its controls
// in its constructor. The window is created hidden, with the client area asked for,
// centred on the primary monitor.
#pragma once
#include <functional>
#include <string>

#include "toolkit/CustomControl.h"

// A fixed single border with caption, system menu and minimise box: no maximise box,
// no resizing.
constexpr DWORD kFixedFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

struct TFormArgs {
  std::wstring name;
  std::wstring className;   // required
  std::wstring caption;
  int clientWidth = 400;
  int clientHeight = 300;
  DWORD style = kFixedFormStyle;
  DWORD exStyle = 0;
  HWND owner = nullptr;     // an owned form stays above its owner; ShowModal disables it
  TFontDesc font;           // the font of the form and, by default, of its controls
};

class TForm : public TCustomControl {
 public:
  using TCloseEvent = std::function<void(TForm& sender, bool& canClose)>;

  explicit TForm(const TFormArgs& args);

  void Show();
  // Asks the form to close (WM_CLOSE): OnClose may refuse; otherwise the window is
  // destroyed, or, for a form shown modally, hidden with the modal result IDCANCEL.
  void Close();
  // Sizes the window so that its client area is exactly width x height.
  void SetClientSize(int width, int height);

  // Shows the form, disables its owner and runs a message loop until EndModal or
  // Close; then enables the owner, hides the form and returns the result.
  int ShowModal();
  void EndModal(int result);
  bool Modal() const noexcept { return modal_; }

  TCloseEvent OnClose;     // WM_CLOSE; set canClose to false to keep the form open
  TNotifyEvent OnDestroy;  // WM_DESTROY, while the controls' windows still exist

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void HandleClose();
  void RestoreFocus();

  bool modal_ = false;
  bool modalDone_ = false;
  int modalResult_ = 0;
  HWND lastFocus_ = nullptr;
};
