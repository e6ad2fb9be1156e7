// The program with a start-up trace: the same code and resources as VTUserCnfg.exe,
// started by `bench_startup --trace`, which names the file to write on the command
// line. Each step the program marks is written with the wall time since the process
// was created and the process's CPU time so far; the first full paint (every window
// that is shown has painted once and none waits for painting) ends the trace.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>

#include "shell/ProgramEntry.h"
#include "toolkit/StartupTrace.h"

namespace {

FILE* g_out = nullptr;

double FileTimeMs(const FILETIME& t) {
  return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
}

void Write(const char* step) {
  if (!g_out) return;
  FILETIME now, created, exited, kernel, user;
  GetSystemTimePreciseAsFileTime(&now);
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  std::fprintf(g_out, "%s\t%.3f\t%.3f\n", step, FileTimeMs(now) - FileTimeMs(created),
               FileTimeMs(kernel) + FileTimeMs(user));
  std::fflush(g_out);
}

void EndTrace() {
  if (!g_out) return;
  std::fclose(g_out);
  g_out = nullptr;
}

// The procedure each watched window had before ours. The watch is a procedure put in
// front (not the common controls' subclass chain, which would add a round trip to
// Wine's server to every message and so slow down what it measures).
std::unordered_map<HWND, WNDPROC> g_watched;

// After each WM_PAINT of a window that was shown with the main window: the first time
// no window of the thread waits for painting, the first full paint is done.
LRESULT CALLBACK AfterPaint(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto watched = g_watched.find(window);
  const WNDPROC previous = watched != g_watched.end()
                               ? watched->second
                               : reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
  const LRESULT result = CallWindowProcW(previous, window, msg, wParam, lParam);
  if (msg == WM_PAINT && g_out && !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT)) {
    Write("first full paint");
    EndTrace();
  }
  return result;
}

BOOL CALLBACK Watch(HWND window, LPARAM) {
  g_watched[window] = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfterPaint)));
  return TRUE;
}

void Mark(const char* step) {
  Write(step);
  if (std::strcmp(step, "main window shown") != 0) return;
  DWORD pid = 0;
  HWND main = FindWindowW(L"TCnfgMain", nullptr);
  if (main) GetWindowThreadProcessId(main, &pid);
  if (!main || pid != GetCurrentProcessId()) return EndTrace();
  Watch(main, 0);
  EnumChildWindows(main, Watch, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  std::wstring file = commandLine;
  if (file.size() >= 2 && file.front() == L'"') file = file.substr(1, file.size() - 2);
  g_out = _wfopen(file.c_str(), L"w");
  SetStartupTraceHook(Mark);
  const int result = RunProgram();
  SetStartupTraceHook(nullptr);
  EndTrace();
  return result;
}
