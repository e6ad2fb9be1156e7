// What a click feels like: the real program against the real agent, driven with the
// mouse's own input (SendInput: the platform queues the press and the release as it
// queues a hand's, to the window under the pointer). Each navigation button on a
// professional and on a standard account, the three record editors, the two hierarchy
// dialogs, the redirection wizard and the tabs of the DNS and information pages are
// clicked, and the time from the click to the first full paint of what it opened is
// set against a repaint of that same page measured in the same run: the platform's
// cost of painting it, which no opening can beat. A page's first opening in a run
// creates it; the later ones show it again.
//
// Runs on a display whose windows take real input (scripts/bench.sh starts a virtual
// one for it). The runs of the two accounts are interleaved, each a fresh program, and
// medians are printed, so that a busy machine slows all alike.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/BenchUtil.h"

namespace {

constexpr int kRuns = 5;          // fresh programs per account: the first openings (or argv[1])
constexpr int kLaterPasses = 2;   // passes over every step after the first, per program
constexpr DWORD kPatienceMs = 20000;

// ---- Windows of the program, from outside ----

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window) {
  wchar_t text[128] = {};
  InternalGetWindowText(window, text, 128);
  return text;
}

// The first descendant of this class and text (any text when null). Used before a
// click only: every question about another program's window is a request to the
// server that program shares.
HWND Find(HWND parent, const wchar_t* className, const wchar_t* text = nullptr) {
  struct TSearch {
    const wchar_t* className;
    const wchar_t* text;
    HWND found;
  } search{className, text, nullptr};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<TSearch*>(param);
        if (ClassOf(window) != s->className || (s->text && TextOf(window) != s->text)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The shown child of `parent` of this class; one request, so it can be asked while
// timing.
HWND ShownChild(HWND parent, const wchar_t* className) {
  HWND child = nullptr;
  while ((child = FindWindowExW(parent, child, className, nullptr)))
    if (IsWindowVisible(child)) return child;
  return nullptr;
}

// Waits until `root` (and everything shown in it) has painted and the program has come
// back to its message loop (so the last WM_PAINT handler has returned).
bool WaitPainted(HWND root, HWND main, double deadline) {
  for (;;) {
    while (bench::Unpainted(root)) {
      if (bench::NowMs() > deadline) return false;
      Sleep(1);
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, &answer);
    if (!bench::Unpainted(root)) return true;
  }
}

// The program idle: nothing waits for painting in its main window and it answers.
void Settle(HWND main) {
  WaitPainted(main, main, bench::NowMs() + kPatienceMs);
  Sleep(120);  // past a tick of the program's 100 ms poll
  WaitPainted(main, main, bench::NowMs() + kPatienceMs);
}

// ---- The user's input ----

void SendOne(INPUT input) { SendInput(1, &input, sizeof input); }

void MoveTo(POINT at) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (at.x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = (at.y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendOne(input);
}

// A press and a release of the left button where the pointer is.
void PressAndRelease() {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof inputs[0]);
}

void PressKey(WORD key) {
  INPUT inputs[2]{};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof inputs[0]);
}

// ---- Steps ----

// Where to click: a point of a window of the program (its middle when `at` is
// {-1, -1}), found afresh before every click.
struct TTarget {
  std::function<HWND(HWND main)> window;
  POINT at{-1, -1};
};

struct TStep {
  std::string label;
  TTarget click;
  // The window the click shows: a shown child of this class in the parent found.
  std::function<HWND(HWND main)> parent;
  const wchar_t* shows;
  // What is timed and repainted: the shown window, or its parent (a tab changes both
  // the bar and the sheet).
  bool paintParent = false;
  // Escape leaves what the step opened (an editor, a dialog, the wizard).
  bool escapeBack = false;
  bool hasFirst = true;  // false: the page showed at start-up already
};

HWND Main(HWND main) { return main; }

std::function<HWND(HWND)> Page(const wchar_t* className) {
  return [className](HWND main) { return ShownChild(main, className); };
}

TTarget Nav(const wchar_t* caption) {
  return {[caption](HWND main) { return Find(main, L"TPicBtn", caption); }};
}

TStep NavStep(const char* label, const wchar_t* caption, const wchar_t* pageClass, bool hasFirst = true) {
  return {label, Nav(caption), Main, pageClass, false, false, hasFirst};
}

// A tab of a tab bar that lies at `bar` in the page, clicked at `middle` across it.
TStep TabStep(const char* label, const wchar_t* pageClass, POINT bar, int middle, const wchar_t* sheetClass) {
  TTarget click{[pageClass, bar](HWND main) {
                  HWND page = ShownChild(main, pageClass);
                  return page ? ChildWindowFromPointEx(page, bar, CWP_SKIPINVISIBLE) : nullptr;
                },
                {middle, 9}};
  return {label, click, Page(pageClass), sheetClass, true};
}

TStep DialogStep(const char* label, TTarget click, const wchar_t* dialogClass) {
  return {label, std::move(click), Main, dialogClass, false, true};
}

// A control of the page on show, inside the group box of that caption or the shown
// sheet of that class when given.
TTarget Inside(const wchar_t* pageClass, const wchar_t* className, const wchar_t* text,
               const wchar_t* groupText = nullptr, const wchar_t* sheetClass = nullptr) {
  return {[=](HWND main) {
    HWND page = ShownChild(main, pageClass);
    if (page && sheetClass) page = ShownChild(page, sheetClass);
    if (page && groupText) page = Find(page, L"Button", groupText);
    return page ? Find(page, className, text) : nullptr;
  }};
}

std::vector<TStep> ProfessionalSteps() {
  const POINT dnsBar{40, 292}, infoBar{30, 290};
  return {
      NavStep("DNS page (professional)", L"域名设置", L"TPageDnsPro"),
      TabStep("  tab: offline settings", L"TPageDnsPro", dnsBar, 110, L"TPageOfflineSettings"),
      TabStep("  tab: online settings", L"TPageDnsPro", dnsBar, 36, L"TPageOnlineSettings"),
      DialogStep("  redirection wizard", Inside(L"TPageDnsPro", L"Button", L"向导...", nullptr, L"TPageOnlineSettings"), L"TPageURL"),
      NavStep("records page (professional)", L"资源记录", L"TPageRRsPro"),
      DialogStep("  host record editor", Inside(L"TPageRRsPro", L"TCustomControl", L"主机"), L"TPageRRA"),
      DialogStep("  alias editor", Inside(L"TPageRRsPro", L"TCustomControl", L"别名"), L"TPageCname"),
      DialogStep("  mail exchanger editor", Inside(L"TPageRRsPro", L"TCustomControl", L"邮件交换器"), L"TPageMX"),
      NavStep("hierarchy page (professional)", L"域名层次", L"TPageHierarchyPro"),
      DialogStep("  parent dialog", Inside(L"TPageHierarchyPro", L"Button", L"增  加...", L" 父  域 "),
                 L"TPageParent"),
      DialogStep("  child dialog", Inside(L"TPageHierarchyPro", L"Button", L"增  加...", L" 子域授权 "),
                 L"TPageChild"),
      NavStep("information page (professional)", L"站点信息", L"TPageInfo"),
      TabStep("  tab: site categories", L"TPageInfo", infoBar, 104, L"TPageCategory"),
      TabStep("  tab: news and keywords", L"TPageInfo", infoBar, 181, L"TPageNewsKeys"),
      TabStep("  tab: basic information", L"TPageInfo", infoBar, 28, L"TPageGenericInfo"),
      NavStep("options page (professional)", L"选项设置", L"TPageOptions"),
      NavStep("user page (professional)", L"用户信息", L"TPageUser", false),
  };
}

std::vector<TStep> StandardSteps() {
  return {
      NavStep("DNS page (standard)", L"域名设置", L"TPageDnsStd"),
      NavStep("records page (standard)", L"资源记录", L"TPageRRsStd"),
      NavStep("hierarchy page (standard)", L"域名层次", L"TPageHierarchyStd"),
      NavStep("information page (standard)", L"站点信息", L"TPageInfo"),
      NavStep("options page (standard)", L"选项设置", L"TPageOptions"),
      NavStep("user page (standard)", L"用户信息", L"TPageUser", false),
  };
}

struct TTimes {
  std::vector<double> first, later, repaint;
};

// The click of a step and the wait for its page painted; the milliseconds from the
// click, or -1 when the page did not show. `shown` and `painted` come back.
double Open(HWND main, const TStep& step, HWND& painted) {
  HWND target = step.click.window(main);
  if (!target) return -1;
  RECT r;
  GetWindowRect(target, &r);
  POINT at = step.click.at;
  at = at.x < 0 ? POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2} : POINT{r.left + at.x, r.top + at.y};
  MoveTo(at);
  Settle(main);  // the face a button shows under the pointer is not the click's cost
  const double start = bench::NowMs();
  const double deadline = start + kPatienceMs;
  PressAndRelease();
  HWND parent = nullptr, shown = nullptr;
  while (!(parent = step.parent(main)) || !(shown = ShownChild(parent, step.shows))) {
    if (bench::NowMs() > deadline) return -1;
    Sleep(1);
  }
  painted = step.paintParent ? parent : shown;
  if (!WaitPainted(painted, main, deadline)) return -1;
  return bench::NowMs() - start;
}

// A repaint of the whole window as the platform asks for one (uncovered, say).
double Repaint(HWND main, HWND window) {
  Settle(main);
  const double start = bench::NowMs();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  if (!WaitPainted(window, main, start + kPatienceMs)) return -1;
  return bench::NowMs() - start;
}

void Back(HWND main, const TStep& step) {
  if (!step.escapeBack) return;
  PressKey(VK_ESCAPE);
  const double deadline = bench::NowMs() + kPatienceMs;
  while (ShownChild(main, step.shows) && bench::NowMs() < deadline) Sleep(5);
  Settle(main);
}

// ---- The program ----

int WindowCount(HWND main) {
  int count = 0;
  EnumChildWindows(
      main, [](HWND, LPARAM param) -> BOOL { return ++*reinterpret_cast<int*>(param), TRUE; },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

std::wstring AgentStateFile() {
  wchar_t* common = nullptr;
  std::wstring folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &common))) folder = common;
  CoTaskMemFree(common);
  return folder + L"\\Veltrano\\OrvantaData\\State.xml";
}

// The agent's session state: this demo account signed in and online (the agent reads
// its file again when it changes).
bool SignIn(const char* account) {
  FILE* out = _wfopen(AgentStateFile().c_str(), L"wb");
  if (!out) return false;
  std::fprintf(out, "<State CurrentAccount=\"%s\" UserState=\"2\" Online=\"True\"/>", account);
  std::fclose(out);
  return true;
}

class TProgram {
 public:
  TProgram() {
    const std::wstring exe = bench::ProductDir() + L"VTUserCnfg.exe";
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{sizeof(startup)};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        bench::ProductDir().c_str(), &startup, &info_))
      return;
    const double deadline = bench::NowMs() + kPatienceMs;
    while (!main_ && bench::NowMs() < deadline && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
      HWND window = nullptr;
      while ((window = FindWindowExW(nullptr, window, L"TCnfgMain", nullptr))) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == info_.dwProcessId && IsWindowVisible(window)) main_ = window;
      }
      Sleep(10);
    }
    if (!main_) return;
    // Idle after start-up: the poll has fetched the documents (by which the sections
    // choose their pages) and the pages made ahead are made, so the count of windows in
    // the main window has stayed the same for a second.
    Sleep(1000);
    for (int count = -1, same = 0; same < 5 && bench::NowMs() < deadline + kPatienceMs; Sleep(200)) {
      const int now = WindowCount(main_);
      same = now == count ? same + 1 : 0;
      count = now;
    }
    Settle(main_);
  }
  ~TProgram() {
    if (!info_.hProcess) return;
    if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;
  HWND Main() const { return main_; }

 private:
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

// One program: every step once (its first opening), then the later passes, each
// opening followed by a repaint of what it painted. False when a step failed.
bool RunProgram(const std::vector<TStep>& steps, std::map<std::string, TTimes>& times) {
  TProgram program;
  const HWND main = program.Main();
  if (!main) {
    std::printf("the program showed no main window\n");
    return false;
  }
  for (int pass = 0; pass <= kLaterPasses; ++pass) {
    for (const TStep& step : steps) {
      HWND painted = nullptr;
      const double ms = Open(main, step, painted);
      if (ms < 0) {
        std::printf("%s: the click showed no %ls\n", step.label.c_str(), step.shows);
        return false;
      }
      TTimes& t = times[step.label];
      if (pass == 0 && step.hasFirst) {
        t.first.push_back(ms);
      } else if (pass > 0) {
        t.later.push_back(ms);
        t.repaint.push_back(Repaint(main, painted));
      }
      Back(main, step);
    }
  }
  return true;
}

void Print(const std::vector<TStep>& steps, std::map<std::string, TTimes>& times) {
  for (const TStep& step : steps) {
    TTimes& t = times[step.label];
    const double repaint = bench::Median(t.repaint);
    const std::string first = step.label + ", first", later = step.label + ", later";
    if (step.hasFirst) bench::Report(first.c_str(), bench::Median(t.first), "its repaint", repaint, "<= 2x");
    bench::Report(later.c_str(), bench::Median(t.later), "its repaint", repaint, "<= 1.2x");
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : kRuns;
  const std::vector<TStep> professional = ProfessionalSteps(), standard = StandardSteps();
  std::map<std::string, TTimes> times;
  std::printf("click to first full paint, medians: first openings of %d programs, later ones and repaints of %d\n",
              runs, runs * kLaterPasses);
  bool ok = true;
  for (int run = 0; run < runs && ok; ++run) {
    ok = SignIn("pro") && RunProgram(professional, times);
    ok = ok && SignIn("std") && RunProgram(standard, times);
  }
  SignIn("pro");
  if (!ok) return 1;
  Print(professional, times);
  Print(standard, times);
  return 0;
}
