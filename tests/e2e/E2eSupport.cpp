#include "tests/e2e/E2eSupport.h"

#include <gtest/gtest.h>

#include "tests/support/TestPaths.h"

namespace e2e {

namespace {
// How long a test waits for the program to answer a message.
constexpr UINT kReplyTimeoutMs = 3000;
}  // namespace

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!done()) {
    if (GetTickCount64() >= deadline) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
  return true;
}

TProgram::TProgram(const std::wstring& exeName, const std::wstring& arguments)
    : TProgram(vt::test::ProductDir() + exeName, arguments, vt::test::ProductDir()) {}

TProgram::TProgram(const std::wstring& exePath, const std::wstring& arguments,
                   const std::wstring& workDir) {
  std::wstring command = L"\"" + exePath + L"\"";
  if (!arguments.empty()) command += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (CreateProcessW(exePath.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     workDir.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
  }
}

TProgram::~TProgram() {
  if (Running()) Terminate();
  if (process_) CloseHandle(process_);
}

bool TProgram::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool TProgram::WaitForExit(DWORD timeoutMs) const {
  return WaitFor([&] { return !Running(); }, timeoutMs);
}

DWORD TProgram::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) GetExitCodeProcess(process_, &code);
  return code;
}

void TProgram::Detach() {
  if (process_) CloseHandle(process_);
  process_ = nullptr;
}

void StartBackgroundAgent() {
  TProgram agent(L"Orvanta.exe");
  agent.Detach();
}

void TProgram::Terminate() {
  if (!process_) return;
  TerminateProcess(process_, 99);
  WaitForSingleObject(process_, 5000);
  // Under Wine a killed program's windows go a moment after its process: a program
  // started at once would find the main window and take itself for a second instance.
  WaitFor([&] { return TopWindows(L"TCnfgMain", pid_).empty(); });
}

namespace {

struct TTopSearch {
  DWORD pid;
  std::wstring className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TTopSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if ((search->pid == 0 || pid == search->pid) &&
      (search->className.empty() || ClassName(window) == search->className))
    search->found.push_back(window);
  return TRUE;
}

struct TChildSearch {
  std::wstring className;
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TChildSearch*>(param);
  if ((search->className.empty() || ClassName(window) == search->className) &&
      WindowText(window) == search->text) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectStatic(HWND window, LPARAM param) {
  if (_wcsicmp(ClassName(window).c_str(), L"Static") == 0) {
    auto* text = reinterpret_cast<std::wstring*>(param);
    const std::wstring t = WindowText(window);
    if (!t.empty()) {
      if (!text->empty()) text->push_back(L'\n');
      *text += t;
    }
  }
  return TRUE;
}

}  // namespace

HWND TProgram::TopWindow(const std::wstring& className) const {
  TTopSearch search{pid_, className, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
  return search.found.empty() ? nullptr : search.found.front();
}

HWND TProgram::WaitForTopWindow(const std::wstring& className, DWORD timeoutMs) const {
  HWND window = nullptr;
  // A window is created hidden and shown when its program enters its message loop;
  // clicks before then find no message loop to run them.
  WaitFor([&] {
    window = TopWindow(className);
    return (window && IsWindowVisible(window)) || !Running();
  }, timeoutMs);
  if (window && process_) WaitForInputIdle(process_, timeoutMs);
  return window;
}

std::vector<HWND> TopWindows(const std::wstring& className, DWORD pid) {
  TTopSearch search{pid, className, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  // WM_GETTEXT crosses processes (GetWindowText does not for others' controls); with a
  // time-out, so that a program stuck in a modal box cannot hang the test.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyTimeoutMs, &length))
    return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kReplyTimeoutMs, &copied))
    return {};
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::string Narrow(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

HWND FindChild(HWND parent, const std::wstring& className, const std::wstring& text) {
  TChildSearch search{className, text};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> FindChildren(HWND parent, const std::wstring& className) {
  struct TSearch {
    const std::wstring& name;
    std::vector<HWND> found;
  } search{className, {}};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(param);
        if (_wcsicmp(ClassName(window).c_str(), s->name.c_str()) == 0) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring StaticTexts(HWND parent) {
  std::wstring text;
  EnumChildWindows(parent, CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

HWND WaitForChild(HWND parent, const std::wstring& className, const std::wstring& text,
                  DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindChild(parent, className, text)) != nullptr; }, timeoutMs);
  return found;
}

HWND OpenPage(HWND main, const std::wstring& button, const std::wstring& pageClass) {
  HWND navigation = WaitForChild(main, L"TPicBtn", button);
  if (!navigation) return nullptr;
  Click(navigation);
  HWND page = nullptr;
  WaitFor([&] {
    page = FindChild(main, pageClass, L"");
    return page && IsWindowVisible(page);
  });
  return page && IsWindowVisible(page) ? page : nullptr;
}

bool PressApply(HWND main) {
  HWND apply = WaitForChild(main, L"TPicBtn", L"应用");
  if (!apply || !WaitFor([&] { return IsWindowEnabled(apply) != FALSE; })) return false;
  Click(apply);
  return true;
}

void Click(HWND button) {
  // Posted, as the user's input arrives: a handler run inside a sent message could not
  // call the agent (COM refuses outgoing calls during an input-synchronous call).
  PostMessageW(button, BM_CLICK, 0, 0);
}

bool TypeText(HWND edit, const std::wstring& text) {
  PostMessageW(edit, EM_SETSEL, 0, -1);
  if (text.empty()) PostMessageW(edit, WM_CHAR, VK_BACK, 0);
  for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 0);
  return WaitFor([&] { return WindowText(edit) == text; });
}

void PressKey(HWND window, WPARAM key) {
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  PostMessageW(window, WM_KEYDOWN, key, 1 | (scan << 16));
  PostMessageW(window, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000);
}

HWND FocusedWindow(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool PressKeyInFocus(HWND main, WPARAM key) {
  const HWND focus = FocusedWindow(main);
  PressKey(focus ? focus : main, key);
  return focus != nullptr;
}

void EndStrayPrograms() {
  for (HWND window : TopWindows(L"TCnfgMain")) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
      TerminateProcess(process, 99);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
    WaitFor([&] { return TopWindows(L"TCnfgMain", pid).empty(); });  // see TProgram::Terminate
  }
}

namespace {

// Every end-to-end test starts without a program left over from a test that was
// killed by its time-out: such a window would make the new program a second instance.
class TNoStrayPrograms : public ::testing::Environment {
 public:
  void SetUp() override { EndStrayPrograms(); }
};

[[maybe_unused]] const auto* const kNoStrayPrograms =
    ::testing::AddGlobalTestEnvironment(new TNoStrayPrograms);

}  // namespace

void PressOk(HWND box) {
  // The box's default button answers IDOK whatever its caption's language.
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace e2e
