// Figures of the skin, each against a baseline measured in the same run:
// - a full repaint of the skinned main window (picture, nine transparent picture
//   buttons) against the same window made of a plain form and nine standard buttons;
// - one navigation button's repaint against a standard button of the same size;
// - the traced (contour) window region of each shipped button face against the
//   per-pixel one, the two ways the cropped picture-button styles cut a window.
// The skin files are read from the benchmark's own folder, where the build copies them.
// The main window needs the agent (its first page asks it); without one the window
// figures are skipped with the reason and the region figures still run.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/BenchUtil.h"
#include "toolkit/Button.h"
#include "shell/Common.h"
#include "skin/Regions.h"
#include "toolkit/Exception.h"
#include "toolkit/Form.h"
#include "skin/SkinBitmap.h"
#include "agent/UnitDef.h"
#include "shell/frmCnfgMain.h"

namespace {

constexpr int kRuns = 15;

void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The main window's layout with standard controls on a plain form.
class TPlainMain : public TForm {
 public:
  TPlainMain()
      : TForm({.name = L"PlainMain", .className = L"TBenchPlainMain", .caption = L"plain",
               .clientWidth = 605, .clientHeight = 441}) {
    const wchar_t* nav[] = {L"用户信息", L"域名设置", L"资源记录", L"域名层次", L"站点信息", L"选项设置"};
    for (int i = 0; i < 6; ++i)
      Add({.name = L"nav", .left = 19, .top = 72 + 48 * i, .width = 127, .height = 33, .caption = nav[i]});
    Add({.name = L"ok", .left = 308, .top = 386, .width = 84, .height = 24, .caption = L"确定"});
    Add({.name = L"cancel", .left = 396, .top = 386, .width = 84, .height = 24, .caption = L"取消"});
    Add({.name = L"apply", .left = 488, .top = 386, .width = 84, .height = 24, .caption = L"应用", .enabled = false});
  }
  ~TPlainMain() override {
    for (TButton* b : buttons_) delete b;
  }

 private:
  void Add(const TControlArgs& args) { buttons_.push_back(new TButton(*this, args)); }
  std::vector<TButton*> buttons_;
};

void BenchWindows() {
  TCnfgMain skinned;
  skinned.StateTimer.SetEnabled(false);
  TPlainMain plain;
  if (!skinned.GetBackground()) std::printf("warning: background.bmp not found beside the benchmark\n");
  skinned.Show();
  plain.Show();
  const double skinnedMs = bench::MedianMs(kRuns, [&] { Repaint(skinned.Handle()); });
  const double plainMs = bench::MedianMs(kRuns, [&] { Repaint(plain.Handle()); });
  bench::Report("main window full repaint, skinned", skinnedMs, "plain form, standard buttons",
                plainMs, "none");

  HWND nav = skinned.btnDns.Handle();
  HWND standard = plain.Controls()[1]->Handle();
  const double navMs = bench::MedianMs(kRuns, [&] { for (int i = 0; i < 20; ++i) Repaint(nav); }) / 20;
  const double stdMs = bench::MedianMs(kRuns, [&] { for (int i = 0; i < 20; ++i) Repaint(standard); }) / 20;
  bench::Report("one navigation button repaint", navMs, "standard button, same size",
                stdMs, "<= 3x");
}

void BenchRegions(const wchar_t* file) {
  TSkinBitmap face;
  try {
    face.LoadFromFile(GetExeDir() + file);
  } catch (...) {
    std::printf("warning: %ls not found beside the benchmark\n", file);
    return;
  }
  const COLORREF key = face.Pixel(0, 0);
  constexpr int kInner = 50;
  const double contour = bench::MedianMs(kRuns, [&] {
    for (int i = 0; i < kInner; ++i) BitmapContourRegion(face.Handle(), key);
  }) / kInner;
  const double pixel = bench::MedianMs(kRuns, [&] {
    for (int i = 0; i < kInner; ++i) BitmapPixelRegion(face.Handle(), key);
  }) / kInner;
  int transparent = 0;
  for (int y = 0; y < face.Height(); ++y)
    for (int x = 0; x < face.Width(); ++x) transparent += face.Pixel(x, y) == key;
  char label[96];
  std::snprintf(label, sizeof label, "per-pixel %ls %dx%d, %d keyed", file, face.Width(),
                face.Height(), transparent);
  bench::Report(label, pixel, "contour region, same face", contour, ">= 20x at 127 x 33");
}

}  // namespace

int wmain() {
  try {
    StartUpSharedState(bench::ProductDir());
    BenchWindows();
  } catch (const std::exception& e) {
    std::printf("skipped the main window figures: %ls\n", ExceptionMessage(e).c_str());
  }
  for (const wchar_t* file : {L"btnUser.bmp", L"btnUserUp.bmp", L"btnUserDown.bmp", L"btnOK.bmp",
                              L"btnApplyDisabled.bmp", L"SnapPro.bmp"})
    BenchRegions(file);
  ShutDownSharedState();
  return 0;
}
