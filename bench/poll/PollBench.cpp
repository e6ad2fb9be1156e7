// One state-poll tick of the main window against the real agent: the tick's own work
// (everything but the agent's round trips) as a share of the tick, the round trips
// timed alone in the same run; and the cost of the start-up steps inside the program.
#include <cstdio>

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "bench/BenchUtil.h"
#include "tests/support/FakeAgent.h"
#include "agent/UnitDef.h"
#include "shell/frmCnfgMain.h"

namespace {

constexpr int kTicks = 300;

double TicksMs(TCnfgMain& main) {
  const double start = bench::NowMs();
  for (int i = 0; i < kTicks; ++i) main.StateTimerTimer(main.StateTimer);
  return bench::NowMs() - start;
}

// The agent calls one tick makes while the documents are held.
double RoundTripsMs() {
  const double start = bench::NowMs();
  for (int i = 0; i < kTicks; ++i) {
    UserManager.IsOnline();
    UserManager.GetUserState();
    UserManager.GetUserState();
  }
  return bench::NowMs() - start;
}

// The tick's own work: the same ticks with an in-process agent whose calls cost
// next to nothing.
double OwnWorkMs(TCnfgMain& main) {
  TFakeAgent fake;
  fake.userProfileXml = UserManager.GetUserProfile(kProfileCurrent);
  fake.localSettingsXml = UserManager.GetAppProfile();
  TUserManagerLink real = UserManager;
  UserManager = TUserManagerLink(TComPtr<IUserManager>(&fake));
  main.StateTimerTimer(main.StateTimer);
  const double ms = std::min(TicksMs(main), TicksMs(main)) / kTicks;
  UserManager = real;
  return ms;
}

void Figures() {
  double t0 = bench::NowMs();
  StartUpSharedState(bench::ProductDir());
  const double startUpMs = bench::NowMs() - t0;
  t0 = bench::NowMs();
  {
    TCnfgMain main;
    const double windowMs = bench::NowMs() - t0;
    main.StateTimer.SetEnabled(false);
    main.StateTimerTimer(main.StateTimer);  // the first tick fetches the documents
    if (!UserProfile.Assigned())
      throw EError(L"the agent holds no usable account (Orvanta.exe -Reset restores the demo data)");

    const double own = OwnWorkMs(main);
    const double trips = std::min(RoundTripsMs(), RoundTripsMs()) / kTicks;
    std::printf("%-44s %10.3f ms  (3 agent calls)\n", "one poll tick's agent round trips", trips);
    std::printf("%-44s %10.3f ms  = %5.2f%% of the tick  (target < 5%%)\n", "one poll tick's own work",
                own, 100.0 * own / (own + trips));
    std::printf("%-44s %10.3f ms\n", "in-program start-up: agent link + app file", startUpMs);
    std::printf("%-44s %10.3f ms\n", "in-program start-up: main window created", windowMs);
  }
}

}  // namespace

int wmain() {
  int result = 0;
  try {
    Figures();
  } catch (const std::exception& e) {
    // Without the agent there is nothing to time; the other benchmarks still run.
    std::printf("skipped: %ls\n", ExceptionMessage(e).c_str());
    result = 1;
  }
  ShutDownSharedState();
  return result;
}
