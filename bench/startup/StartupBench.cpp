// Start-up to the first full paint: VTUserCnfg.exe against baselines started the same
// way, their runs interleaved: a bare Win32 window; the same window after COM and the
// agent's two classes are created (the floor that the program's start-up order
// allows); and that floor window holding as many windows of the same kinds as the
// program's first screen, each painting plainly (what that many windows cost the
// platform). The agent runs in the background for these; the cold start (COM starts
// the agent) is reported on its own, beside the cold floor and the agent's own start,
// so that the share of Wine's wait for a new server shows. One more baseline, the bare
// window painting one line of Chinese in the program's font, shows what the first
// Chinese text costs by itself under the platform's font link.
//
// The first full paint is seen from outside, the same way for all of them: the main
// window is visible, neither it nor any visible window inside it has an update region,
// and a message sent to it has come back (so the last WM_PAINT handler has returned).
// Wall times on a shared machine are noisy: the runs are interleaved and their spreads
// printed beside the medians.
//
// `bench_startup --trace` instead runs a traced copy of the program and prints, for
// each step the program marks, the median time since the process was created.
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "bench/BenchUtil.h"

namespace {

constexpr int kRuns = 9;


std::wstring BenchDir() {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring dir(self, n);
  return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

// The process's visible top-level window of this class, or null.
HWND VisibleWindow(DWORD pid, const wchar_t* className) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, className, nullptr))) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

bool StillRunning(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

struct TProcess {
  PROCESS_INFORMATION info{};
  bool Start(const std::wstring& exe, const std::wstring& arguments = {}) {
    std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    const std::wstring dir = exe.substr(0, exe.find_last_of(L'\\') + 1);
    STARTUPINFOW startup{sizeof(startup)};
    return CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                          &startup, &info);
  }
  ~TProcess() {
    if (!info.hProcess) return;
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
};

// Starts the program, returns the milliseconds to its first full paint (-1: no window
// showed), then closes it.
double TimeToFirstPaint(const std::wstring& exe, const wchar_t* className) {
  TProcess process;
  const double start = bench::NowMs();
  if (!process.Start(exe)) return -1;
  HWND window = nullptr;
  while (!(window = VisibleWindow(process.info.dwProcessId, className)) && StillRunning(process.info.hProcess))
    Sleep(1);
  while (window && bench::Unpainted(window) && StillRunning(process.info.hProcess)) Sleep(1);
  DWORD_PTR answer = 0;
  if (window) SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
  const double elapsed = bench::NowMs() - start;
  if (!window) return -1;
  PostMessageW(window, WM_CLOSE, 0, 0);
  return elapsed;
}

void RunAgent(const wchar_t* arguments) {
  TProcess agent;
  agent.Start(bench::ProductDir() + L"Orvanta.exe", arguments);
  if (!*arguments) {
    // The background agent: left running, not waited for.
    CloseHandle(agent.info.hThread);
    CloseHandle(agent.info.hProcess);
    agent.info = {};
  }
}

// The agent started directly (not by COM): the time until it serves, i.e. its class
// objects are registered and it has announced itself in its presence record (the
// record's layout is the agent's: an announcement count, then the serving process id).
double AgentOwnStartMs() {
  RunAgent(L"-Quit");
  const double start = bench::NowMs();
  TProcess agent;
  if (!agent.Start(bench::ProductDir() + L"Orvanta.exe")) return -1;
  double ms = -1;
  while (ms < 0 && StillRunning(agent.info.hProcess) && bench::NowMs() - start < 20000) {
    if (HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, L"OrvantaAgentPresence")) {
      if (auto* record = static_cast<const volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 8))) {
        if (record[1] == static_cast<LONG>(agent.info.dwProcessId)) ms = bench::NowMs() - start;
        UnmapViewOfFile(const_cast<LONG*>(record));
      }
      CloseHandle(mapping);
    }
    if (ms < 0) Sleep(1);
  }
  CloseHandle(agent.info.hThread);
  CloseHandle(agent.info.hProcess);
  agent.info = {};
  return ms;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string Spread(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  char text[64];
  std::snprintf(text, sizeof text, "%.0f to %.0f ms", values.front(), values.back());
  return text;
}

int Figures() {
  const std::wstring program = bench::ProductDir() + L"VTUserCnfg.exe";
  const std::wstring bare = BenchDir() + L"helpers\\bench_bare_window.exe";
  const std::wstring floor = BenchDir() + L"helpers\\bench_floor_window.exe";
  const std::wstring screenFloor = BenchDir() + L"helpers\\bench_screen_floor_window.exe";
  const std::wstring text = BenchDir() + L"helpers\\bench_text_window.exe";

  RunAgent(L"-Quit");
  const double cold = TimeToFirstPaint(program, L"TCnfgMain");
  RunAgent(L"-Quit");
  const double coldFloor = TimeToFirstPaint(floor, L"FloorWindow");
  const double agentStart = AgentOwnStartMs();  // leaves this agent running
  Sleep(1000);

  std::vector<double> ours, baseline, floors, screenFloors, texts;
  for (int i = 0; i < kRuns; ++i) {
    for (auto [exe, className, times] : {std::tuple{&bare, L"BareWindow", &baseline},
                                         std::tuple{&floor, L"FloorWindow", &floors},
                                         std::tuple{&screenFloor, L"ScreenFloorWindow", &screenFloors},
                                         std::tuple{&text, L"TextWindow", &texts},
                                         std::tuple{&program, L"TCnfgMain", &ours}}) {
      const double ms = TimeToFirstPaint(*exe, className);
      if (ms < 0) {
        std::printf("%ls showed no window\n", exe->c_str());
        return 1;
      }
      times->push_back(ms);
    }
  }
  bench::Report("start-up to first full paint", Median(ours), "bare Win32 window", Median(baseline),
                "<= 1.5x");
  bench::Report("start-up to first full paint", Median(ours), "bare window + agent classes",
                Median(floors), "<= 1.1x");
  std::printf("    spreads of %d runs each: program %s, bare %s, floor %s\n", kRuns, Spread(ours).c_str(),
              Spread(baseline).c_str(), Spread(floors).c_str());
  bench::Report("start-up to first full paint", Median(ours), "floor + the first screen's windows",
                Median(screenFloors), "<= 1.15x");
  bench::Report("bare window painting a line of Chinese", Median(texts), "bare Win32 window",
                Median(baseline), "none");
  std::printf("%-44s %10.3f ms  (agent not running: COM starts it)\n", "cold start-up to first full paint",
              cold);
  std::printf("%-44s %10.3f ms  (the same for the floor window)\n", "cold floor", coldFloor);
  std::printf("%-44s %10.3f ms  (started directly, to its classes registered)\n", "the agent's own start",
              agentStart);
  std::printf("%-44s %10.3f ms  (cold floor - floor - agent's own start)\n",
              "left for COM's wait for a new server", coldFloor - Median(floors) - agentStart);
  return 0;
}

// ---- The traced program ----

// Reads "step<TAB>wall<TAB>cpu" lines in their order.
std::vector<std::tuple<std::string, double, double>> ReadTrace(const std::wstring& file) {
  std::vector<std::tuple<std::string, double, double>> steps;
  if (FILE* in = _wfopen(file.c_str(), L"r")) {
    char line[256];
    while (std::fgets(line, sizeof line, in)) {
      char* tab = std::strchr(line, '\t');
      if (!tab) continue;
      *tab = 0;
      double wall = 0, cpu = 0;
      if (std::sscanf(tab + 1, "%lf\t%lf", &wall, &cpu) == 2) steps.emplace_back(line, wall, cpu);
    }
    std::fclose(in);
  }
  return steps;
}

int Trace() {
  const std::wstring traced = BenchDir() + L"helpers\\bench_traced_program.exe";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"vt-startup-trace.txt";
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> walls, cpus;
  for (int i = 0; i < kRuns + 1; ++i) {
    DeleteFileW(file.c_str());
    TProcess process;
    if (!process.Start(traced, L"\"" + file + L"\"")) return 1;
    HWND window = nullptr;
    while (!(window = VisibleWindow(process.info.dwProcessId, L"TCnfgMain")) && StillRunning(process.info.hProcess))
      Sleep(5);
    Sleep(1500);  // the trace ends with the first full paint
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (i == 0) continue;  // a warm-up: the first run after a build reads cold files
    for (const auto& [step, wall, cpu] : ReadTrace(file)) {
      if (!walls.count(step)) order.push_back(step);
      walls[step].push_back(wall);
      cpus[step].push_back(cpu);
    }
  }
  std::printf("start-up steps of the program, medians of %d runs, since the process was created:\n", kRuns);
  std::printf("  %-36s %10s %10s %12s\n", "step", "wall ms", "step ms", "CPU ms");
  double previous = 0;
  for (const std::string& step : order) {
    const double wall = Median(walls[step]);
    std::printf("  %-36s %10.1f %10.1f %12.1f\n", step.c_str(), wall, wall - previous, Median(cpus[step]));
    previous = wall;
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wcscmp(argv[1], L"--trace") == 0) return Trace();
  return Figures();
}
