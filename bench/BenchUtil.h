// Timing for the benchmarks: a monotonic clock, the median of repeated runs, and one
// way of printing a figure against its baseline.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Stops the enumeration at the first window still waiting for painting: each question
// about another process's window is a request to Wine's server, which the measured
// program shares, so the watch asks no more than it must.
inline BOOL CALLBACK FindUnpainted(HWND window, LPARAM param) {
  RECT r;
  if (!IsWindowVisible(window) || !GetUpdateRect(window, &r, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(param) = true;
  return FALSE;
}

// True while the window or a shown window inside it waits for painting.
inline bool Unpainted(HWND window) {
  bool found = false;
  FindUnpainted(window, reinterpret_cast<LPARAM>(&found));
  if (!found) EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The product folder (the program, the agent, the shipped files): benchmarks live in
// <build>\bench\, the product in <build>\bin\.
inline std::wstring ProductDir() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1) + L"..\\bin\\";
}

inline double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

// The median time in milliseconds of `runs` calls of `work`, after one warm-up call.
inline double MedianMs(int runs, const std::function<void()>& work) {
  work();
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    work();
    times.push_back(NowMs() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The milliseconds one call of `work` takes.
inline double TimeMs(const std::function<void()>& work) {
  const double start = NowMs();
  work();
  return NowMs() - start;
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// "label: 12.345 ms vs baseline 6.789 ms = 1.82x (target <= 2x)"
inline void Report(const char* label, double ms, const char* baselineLabel, double baselineMs,
                   const char* target) {
  std::printf("%-44s %10.3f ms  vs %-28s %10.3f ms  = %6.2fx  (target %s)\n", label, ms,
              baselineLabel, baselineMs, ms / baselineMs, target);
  std::fflush(stdout);
}

}  // namespace bench
