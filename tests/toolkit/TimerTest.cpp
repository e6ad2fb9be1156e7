// TTimer: ticks on the window thread, starts and stops with Enabled and Interval, and
// reports handler exceptions without piling up re-entrant ticks.
#include <gtest/gtest.h>

#include <memory>

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/Timer.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

TEST(Timer, TicksOnTheCreatingThreadAndStopsWhenDisabled) {
  TTimer timer({.name = L"StateTimer", .interval = 10});
  int ticks = 0;
  DWORD tickThread = 0;
  timer.OnTimer = [&](TTimer& sender) {
    tickThread = GetCurrentThreadId();
    if (++ticks == 3) sender.SetEnabled(false);
  };
  ASSERT_TRUE(PumpUntil([&] { return ticks == 3; }));
  PumpFor(100);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(tickThread, GetCurrentThreadId());
}

TEST(Timer, EnablingOrAnIntervalStartsIt) {
  TTimer timer({.interval = 10, .enabled = false});
  PumpFor(30);  // with no handler attached a tick does nothing
  int ticks = 0;
  timer.OnTimer = [&](TTimer&) { ++ticks; };
  PumpFor(50);
  EXPECT_EQ(ticks, 0);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks > 0; }));
  timer.SetInterval(0);  // no interval: stopped though enabled
  const int before = ticks;
  PumpFor(50);
  EXPECT_EQ(ticks, before);
  timer.SetInterval(10);
  EXPECT_TRUE(PumpUntil([&] { return ticks > before; }));
}

TEST(Timer, ExceptionsAreReportedAndTicksDuringTheReportAreSkipped) {
  TTimer timer({.interval = 5});
  int ticks = 0, depth = 0, maxDepth = 0;
  timer.OnTimer = [&](TTimer&) { ++ticks, throw EError(L"状态查询失败"); };
  std::vector<std::wstring> reports;
  Application().OnException = [&](const std::wstring& text) {
    // Stands in for the modal error box: a message loop that runs for a while.
    maxDepth = std::max(maxDepth, ++depth);
    reports.push_back(text);
    PumpFor(40);
    --depth;
  };
  PumpUntil([&] { return reports.size() >= 2; });
  timer.SetEnabled(false);
  Application().OnException = nullptr;
  EXPECT_EQ(maxDepth, 1);
  EXPECT_EQ(static_cast<int>(reports.size()), ticks);
  EXPECT_EQ(reports[0], L"状态查询失败.");
}

TEST(Timer, AHandlerMayDestroyItsOwnTimer) {
  auto timer = std::make_unique<TTimer>(TTimerArgs{.interval = 10});
  timer->OnTimer = [&](TTimer&) { timer.reset(); };
  EXPECT_TRUE(PumpUntil([&] { return timer == nullptr; }));
  PumpFor(30);
}
