// The professional records page: a refresh plus one full paint of its grid with a
// profile of 10,000 records against the same with 10 (the cost should follow the rows
// on screen, not the collection); and the time from a click on a toolbar button to the
// record editor painted, against a repaint of the records page. The two profiles are
// held in turn by one main window, their runs interleaved, so that a busy machine
// slows both alike.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "agent/UnitDef.h"
#include "bench/BenchProfile.h"
#include "bench/BenchUtil.h"
#include "pages/frameRRsPro.h"
#include "shell/frmCnfgMain.h"
#include "tests/support/FakeAgent.h"

namespace {

constexpr int kRuns = 60;

void PaintNow(TControl& control) {
  RedrawWindow(control.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double TimeMs(const std::function<void()>& work) {
  const double start = bench::NowMs();
  work();
  return bench::NowMs() - start;
}

// The records page showing `profile`: from the profile's arrival (the page's first
// refresh after it) to the grid painted.
double ShowProfileMs(TPageRRsPro& page, const TXMLUserInfoType& profile) {
  UserProfile = profile;
  return TimeMs([&] {
    page.Refresh();
    PaintNow(page.GridRRs);
  });
}

void GridFigures(TCnfgMain& main, TPageRRsPro& page) {
  const TXMLUserInfoType small = ParseUserInfo(bench::ProfileText(10));
  const TXMLUserInfoType large = ParseUserInfo(bench::ProfileText(10000));
  std::vector<double> smallFirst, largeFirst, smallAgain, largeAgain;
  for (int i = 0; i < kRuns; ++i) {
    for (const auto& [profile, first, again] :
         {std::tuple{&small, &smallFirst, &smallAgain}, std::tuple{&large, &largeFirst, &largeAgain}}) {
      first->push_back(ShowProfileMs(page, *profile));
      again->push_back(TimeMs([&] {
        page.Refresh();
        PaintNow(page.GridRRs);
      }));
    }
  }
  bench::Report("records grid refresh + paint, 10,000 records", Median(largeAgain), "the same, 10 records",
                Median(smallAgain), "<= 1.2x");
  // On arrival the long list also brings the grid its scroll bar, which 10 records do
  // not need: a cost of the change, not of the rows.
  bench::Report("the same on the profile's arrival, 10,000", Median(largeFirst), "the same, 10 records",
                Median(smallFirst), "none set");
  UserProfile = small;
  page.Refresh();
}

void EditorFigures(TCnfgMain& main, TPageRRsPro& page) {
  PaintNow(main);
  auto openEditor = [&] {
    SendMessageW(page.sbNewHost.Handle(), BM_CLICK, 0, 0);
    PaintNow(main);
  };
  auto backToGrid = [&] {
    if (TControl* editor = main.FindControl(L"PageRRA"))
      if (TControl* cancel = editor->FindControl(L"btnCancel")) SendMessageW(cancel->Handle(), BM_CLICK, 0, 0);
    PaintNow(main);
  };
  const double firstMs = TimeMs(openEditor);
  backToGrid();
  std::vector<double> opens, repaints;
  for (int i = 0; i < kRuns; ++i) {
    opens.push_back(TimeMs(openEditor));
    backToGrid();
    repaints.push_back(TimeMs([&] { PaintNow(main); }));
  }
  std::printf("%-44s %10.3f ms  (the editor created)\n", "toolbar click to host editor painted, first", firstMs);
  bench::Report("toolbar click to host editor painted", Median(opens), "repaint of the records page",
                Median(repaints), "none set");
}

}  // namespace

int wmain() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  TFakeAgent agent;
  agent.serviceType = 3;
  agent.userProfileXml = bench::ProfileText(10);
  ClearSharedState();
  UserManager = TUserManagerLink(TComPtr<IUserManager>(&agent));
  {
    TCnfgMain main;
    main.StateTimer.SetEnabled(false);
    main.Show();
    main.StateTimerTimer(main.StateTimer);  // fetches the profile
    main.btnRRs.Click();
    if (auto* page = dynamic_cast<TPageRRsPro*>(main.FindControl(L"PageRRsPro"))) {
      GridFigures(main, *page);
      EditorFigures(main, *page);
    } else {
      std::printf("warning: the records page did not open\n");
    }
  }
  ClearSharedState();
  UserManager.Reset();
  CoUninitialize();
  return 0;
}
