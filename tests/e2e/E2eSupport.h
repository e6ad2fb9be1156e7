// Driving the real programs from a test process: start VTUserCnfg.exe, find its
// windows and controls by class and text, click and type as a user's input arrives,
// and wait for what should follow.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// How long a test waits for the program or the agent by default: generous, so that a
// busy machine (CPU-bound processes beside the tests) never fails a test for its
// speed. A wait ends as soon as its condition holds, so passing tests take no longer.
inline constexpr DWORD kPatienceMs = 30000;

// Waits (pumping this thread's messages) until `done` is true or `timeoutMs` passes.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = kPatienceMs);

// A started program; terminated in the destructor if it still runs.
class TProgram {
 public:
  // A program of the product folder, started in that folder.
  explicit TProgram(const std::wstring& exeName, const std::wstring& arguments = L"");
  // Any program, started in `workDir`.
  TProgram(const std::wstring& exePath, const std::wstring& arguments, const std::wstring& workDir);
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  DWORD ProcessId() const { return pid_; }
  bool Running() const;
  // Waits for the process to end; false on timeout.
  bool WaitForExit(DWORD timeoutMs = kPatienceMs) const;
  DWORD ExitCode() const;
  void Terminate();
  // Lets the program run on after this object is gone.
  void Detach();

  // The first visible-or-hidden top-level window of this process with the class
  // (any class when empty); null when there is none yet.
  HWND TopWindow(const std::wstring& className) const;
  // Waits until the window exists, is shown and its program waits for input.
  HWND WaitForTopWindow(const std::wstring& className, DWORD timeoutMs = kPatienceMs) const;

 private:
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// Starts the agent as the background agent again (after a test stopped it), outside
// the test's lifetime.
void StartBackgroundAgent();

// Every top-level window of the class, of the process `pid` (0: of all processes).
std::vector<HWND> TopWindows(const std::wstring& className, DWORD pid = 0);

std::wstring WindowText(HWND window);
// UTF-8, for test messages.
std::string Narrow(const std::wstring& text);
std::wstring ClassName(HWND window);
// The first descendant with this class (any when empty) and exact window text.
HWND FindChild(HWND parent, const std::wstring& className, const std::wstring& text);
// Every descendant of the class (case-insensitive), in z-order depth first: the
// keyboard's order.
std::vector<HWND> FindChildren(HWND parent, const std::wstring& className);
// The text of every STATIC descendant, joined by line breaks (a message box's text).
std::wstring StaticTexts(HWND parent);

// Waits up to `timeoutMs` for a descendant as FindChild finds it; null when none came.
HWND WaitForChild(HWND parent, const std::wstring& className, const std::wstring& text,
                  DWORD timeoutMs = kPatienceMs);

// Clicks the main window's navigation button with the caption and waits until the page
// of that class shows; the page, or null.
HWND OpenPage(HWND main, const std::wstring& button, const std::wstring& pageClass);

// Waits until the main window's Apply button is enabled and clicks it; false when it
// stayed disabled.
bool PressApply(HWND main);

// A click on a button as the user's click arrives: posted to the program's message
// loop (BM_CLICK); the test waits for what should follow.
void Click(HWND button);
// Types the text into an edit as the keyboard does: the old text selected, then one
// posted character after another (handlers of text changes may call the agent, which
// they could not do inside a message sent from this process). Waits until it shows.
bool TypeText(HWND edit, const std::wstring& text);

// A key pressed and released in `window`, posted to its program's message loop as the
// keyboard's keys arrive there.
void PressKey(HWND window, WPARAM key);

// The window that has the keyboard focus in the thread of `window` (another program's);
// null when none has it.
HWND FocusedWindow(HWND window);
// A key pressed and released where the focus is in the program of `main` (at `main`
// when none has it), as the keyboard's keys arrive; false when no window there has the
// focus.
bool PressKeyInFocus(HWND main, WPARAM key);

// Ends every program with a main window other than this test process (left over from a
// test that was killed); done before every end-to-end test.
void EndStrayPrograms();

// Closes a message box by its first button (OK).
void PressOk(HWND box);

}  // namespace e2e
