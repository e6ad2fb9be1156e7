// Forms, frames and custom painting: geometry, closing, the modal loop, and the paint
// path shared by WM_PAINT and WM_PRINTCLIENT through the back buffer.
#include <gtest/gtest.h>

#include "toolkit/BackBuffer.h"
#include "toolkit/Button.h"
#include "toolkit/Exception.h"
#include "toolkit/Timer.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// Red with a blue square at 20,30 - 30,40.
class TPaintedForm : public TForm {
 public:
  TPaintedForm() : TForm({.className = L"TPaintedForm", .clientWidth = 100, .clientHeight = 80}) {}
  int paints = 0;
  RECT lastClip{};

 protected:
  void Paint(HDC dc, const RECT& clip) override {
    ++paints;
    lastClip = clip;
    Fill(dc, clip, kRed);
    Fill(dc, RECT{20, 30, 30, 40}, kBlue);
  }
};

// A memory bitmap filled green, to paint into.
struct TCanvas {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap;
  HGDIOBJ old;
  explicit TCanvas(int size) {
    HDC screen = GetDC(nullptr);
    bitmap = CreateCompatibleBitmap(screen, size, size);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
    Fill(dc, RECT{0, 0, size, size}, kGreen);
  }
  ~TCanvas() { SelectObject(dc, old), DeleteObject(bitmap), DeleteDC(dc); }
};

}  // namespace

TEST(FormGeometry, TheClientAreaIsExactlyAsAskedAndTheWindowIsCentred) {
  TForm form({.className = L"TCnfgMainTest", .caption = L"维特兰诺用户管理", .clientWidth = 605, .clientHeight = 441});
  EXPECT_EQ(form.ClientWidth(), 605);
  EXPECT_EQ(form.ClientHeight(), 441);
  EXPECT_EQ(form.Left(), (GetSystemMetrics(SM_CXSCREEN) - form.Width()) / 2);
  EXPECT_EQ(form.Top(), (GetSystemMetrics(SM_CYSCREEN) - form.Height()) / 2);
  const LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_VISIBLE), 0);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(FindWindowW(L"TCnfgMainTest", L"维特兰诺用户管理"), form.Handle());
  form.SetClientSize(570, 413);
  EXPECT_EQ(form.ClientRect().right * 1000 + form.ClientRect().bottom, 570413);
  EXPECT_THROW(TForm({.caption = L"no class name"}), EError);
}

TEST(FormClose, OnCloseCanRefuseAndOnDestroyStillSeesTheControls) {
  TRecordingForm form;
  TButton button(form, {.name = L"btnCancel", .width = 80, .height = 24});
  bool allow = false;
  std::vector<std::string> steps;
  form.OnClose = [&](TForm&, bool& canClose) { steps.push_back("close"), canClose = allow; };
  form.OnDestroy = [&](TControl&) { steps.push_back(IsWindow(button.Handle()) ? "destroy, button alive" : "destroy"); };
  form.Close();
  EXPECT_TRUE(IsWindow(form.Handle()));
  allow = true;
  SendMessageW(form.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the system menu takes the same path
  EXPECT_EQ(form.Handle(), nullptr);
  EXPECT_EQ(steps, (std::vector<std::string>{"close", "close", "destroy, button alive"}));
}

TEST(FormModal, DisablesTheOwnerUntilEndedAndClosingGivesCancel) {
  TRecordingForm owner;
  TForm dialog({.className = L"TModalTest", .owner = owner.Handle()});
  std::vector<bool> inside;  // owner enabled, dialog visible
  TTimer timer({.interval = 10});
  timer.OnTimer = [&](TTimer& t) {
    t.SetEnabled(false);
    inside = {bool(IsWindowEnabled(owner.Handle())), bool(IsWindowVisible(dialog.Handle()))};
    dialog.EndModal(IDOK);
  };
  EXPECT_EQ(dialog.ShowModal(), IDOK);
  EXPECT_EQ(inside, (std::vector<bool>{false, true}));
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));

  timer.OnTimer = [&](TTimer& t) { t.SetEnabled(false), dialog.Close(); };
  timer.SetEnabled(true);
  EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
  EXPECT_TRUE(IsWindow(dialog.Handle()));  // hidden, kept for the caller to read
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(FormPaint, EveryPaintPathDrawsThroughPaintAndErasingDrawsNothing) {
  TPaintedForm form;
  for (UINT msg : {UINT(WM_PRINTCLIENT), UINT(WM_PAINT)}) {  // WM_PAINT with a DC in wParam
    TPixels pixels(form.Handle(), msg);
    EXPECT_EQ(pixels.At(5, 5), Rgb(kRed)) << msg;
    EXPECT_EQ(pixels.At(25, 35), Rgb(kBlue)) << msg;
    EXPECT_EQ(pixels.At(30, 40), Rgb(kRed)) << msg;
  }
  // A caller that lets only part through (a child printing its parent behind itself,
  // the parent's origin moved to the child's) has exactly that part painted.
  TCanvas part(20);
  SetWindowOrgEx(part.dc, 15, 25, nullptr);
  IntersectClipRect(part.dc, 15, 25, 27, 33);
  SendMessageW(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(part.dc), PRF_CLIENT);
  const RECT passed{15, 25, 27, 33};
  EXPECT_TRUE(EqualRect(&form.lastClip, &passed));
  SetWindowOrgEx(part.dc, 0, 0, nullptr);
  EXPECT_EQ(GetPixel(part.dc, 2, 2), kRed);
  EXPECT_EQ(GetPixel(part.dc, 7, 7), kBlue);
  EXPECT_EQ(GetPixel(part.dc, 13, 13), kGreen);

  TCanvas canvas(4);
  const int paints = form.paints;
  EXPECT_EQ(SendMessageW(form.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc), 0), 1);
  EXPECT_EQ(GetPixel(canvas.dc, 1, 1), kGreen);
  EXPECT_EQ(form.paints, paints);

  form.Show();  // and on screen, through BeginPaint
  UpdateWindow(form.Handle());
  HDC dc = GetDC(form.Handle());
  EXPECT_EQ(GetPixel(dc, 25, 35), kBlue);
  EXPECT_EQ(GetPixel(dc, 60, 60), kRed);
  ReleaseDC(form.Handle(), dc);
}

TEST(BackBuffer, CopiesExactlyItsAreaInTheTargetsCoordinates) {
  TCanvas target(40);
  SetViewportOrgEx(target.dc, 5, 5, nullptr);  // as a parent printing a child at 5,5
  {
    TBackBuffer buffer(target.dc, RECT{10, 10, 20, 20});
    EXPECT_NE(buffer.DC(), target.dc);
    Fill(buffer.DC(), RECT{0, 0, 40, 40}, kBlue);  // only the area is copied out
  }
  SetViewportOrgEx(target.dc, 0, 0, nullptr);
  EXPECT_EQ(GetPixel(target.dc, 15, 15), kBlue);
  EXPECT_EQ(GetPixel(target.dc, 24, 24), kBlue);
  EXPECT_EQ(GetPixel(target.dc, 14, 14), kGreen);
  EXPECT_EQ(GetPixel(target.dc, 25, 25), kGreen);
  TBackBuffer empty(target.dc, RECT{10, 10, 10, 20});
  EXPECT_EQ(empty.DC(), target.dc);  // nothing to buffer: paints go straight through
}
