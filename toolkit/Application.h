// The application object: the title, the message loop and the default error report.
// Every window procedure of the toolkit hands the exceptions it catches to
// HandleException, which shows them in a modal error box (or gives them to
// OnException when a handler is attached) and lets the program go on.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

class TForm;

class TApplication {
 public:
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The caption of the error box and of the program's questions; the executable's
  // name until set.
  const std::wstring& Title() const noexcept { return title_; }
  void SetTitle(std::wstring title) { title_ = std::move(title); }

  // Shows the form and runs the message loop until that form's window is destroyed
  // (other windows come and go without ending it) or WM_QUIT arrives. Returns the
  // WM_QUIT exit code, else 0. The form must outlive the call.
  int Run(TForm& mainForm);
  // Dispatches every message already queued, then returns. A WM_QUIT met on the way
  // is put back for the loop that owns it.
  void ProcessMessages();
  // Waits for one message and dispatches it (the step of a modal loop). Returns false
  // when WM_QUIT arrived; it is put back so that the outer loop ends too.
  bool HandleMessage();

  // The default error report, for use inside a catch block: shows the message of the
  // exception being handled. Never throws.
  void HandleException() noexcept;
  void ShowException(const std::exception& error) noexcept;

  // Called by every form as its window goes: ends Run() when it is the main form.
  void FormDestroyed(const TForm& form);

  // When attached, receives the report's text instead of the error box.
  std::function<void(const std::wstring& text)> OnException;
  // When attached, offered every exception HandleException gets, before the report:
  // true when it told the user itself, and the report then shows nothing.
  std::function<bool(std::exception_ptr error)> ExceptionFilter;

 private:
  friend TApplication& Application();
  TApplication();
  void ReportError(std::wstring message) noexcept;
  static void Dispatch(MSG& msg);
  static bool DispatchDialogKey(const MSG& msg);
  // Offers the key to the windows from `focus` outwards; true when one acted on it.
  static bool OfferDialogKey(HWND focus, WPARAM key);

  std::wstring title_;
  const TForm* mainForm_ = nullptr;  // while Run() runs
};

TApplication& Application();

// The text the error report shows: the message, with "." appended when its last
// character (UTF-16 code unit) sorts after "." and is no ideographic full stop ("。").
std::wstring ErrorReportText(std::wstring message);
