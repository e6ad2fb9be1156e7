// The application object: the error report's text rule, where reports go (the real
// error box once), and when the message loop ends.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Exception.h"
#include "toolkit/Timer.h"
#include "tests/toolkit/ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

// Collects what the error report would show, for the length of a test.
struct Reports : std::vector<std::wstring> {
  Reports() { Application().OnException = [this](const std::wstring& text) { push_back(text); }; }
  ~Reports() { Application().OnException = nullptr; }
};

template <class F>
void ThrowAndHandle(F thrower) {
  try {
    thrower();
  } catch (...) {
    Application().HandleException();
  }
}

// Ends a message loop that failed to end by itself, so that the fault fails the test
// instead of hanging it.
struct Watchdog {
  TTimer timer{{.name = L"Watchdog", .interval = 3000}};
  Watchdog() { timer.OnTimer = [](TTimer& t) { t.SetEnabled(false), PostQuitMessage(99); }; }
};

}  // namespace

TEST(ErrorReportText, AppendsAPeriodOnlyAfterCharactersSortingAfterItAndNeverAfterAFullStop) {
  EXPECT_EQ(ErrorReportText(L"abc"), L"abc.");
  EXPECT_EQ(ErrorReportText(L"abc."), L"abc.");
  EXPECT_EQ(ErrorReportText(L"a!"), L"a!");    // '!' < '.'
  EXPECT_EQ(ErrorReportText(L"a-"), L"a-");    // just below '.'
  EXPECT_EQ(ErrorReportText(L"a/"), L"a/.");   // just above
  EXPECT_EQ(ErrorReportText(L"错误！"), L"错误！.");  // full-width '！' is U+FF01
  // A sentence that ends in an ideographic full stop is not ended a second time.
  EXPECT_EQ(ErrorReportText(L"代理程序没有响应。"), L"代理程序没有响应。");
  EXPECT_EQ(ErrorReportText(L"没有响应．"), L"没有响应．");
  EXPECT_EQ(ErrorReportText(L"没有响应｡"), L"没有响应｡");
  EXPECT_EQ(ErrorReportText(L"。。x"), L"。。x.");
  EXPECT_EQ(ErrorReportText(L""), L"");
}

TEST(HandleException, ReportsEveryKindOfExceptionAndNeverThrows) {
  Reports reports;
  ThrowAndHandle([] { throw EError(L"连接失败"); });
  ThrowAndHandle([] { throw EOleError(E_FAIL, L"Agent gone"); });
  ThrowAndHandle([] { throw std::runtime_error("disk full"); });
  ThrowAndHandle([] { throw 42; });
  EXPECT_EQ(reports, (Reports::vector{L"连接失败.", L"Agent gone.", L"disk full.", L"Unknown exception."}));
  Application().OnException = [](const std::wstring&) { throw std::runtime_error("nested"); };
  ThrowAndHandle([] { throw EError(L"first"); });  // a failing handler does not escape
}

// The click is reflected inside the form's window procedure; the exception stops there
// and the next click works again.
TEST(HandleException, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn) {
  Reports reports;
  TRecordingForm form;
  TButton button(form, {.name = L"btnGo", .width = 80, .height = 24});
  button.OnClick = [&](TControl&) { throw EError(L"更新错误：无连接"); };
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  button.OnClick = [&](TControl&) { throw std::logic_error("second"); };
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(reports, (Reports::vector{L"更新错误：无连接.", L"second."}));
}

// The box itself, once: found by its caption from another thread, read, and closed
// with its OK button. No window of ours is active, so the box disables the thread's.
TEST(HandleException, WithoutAHandlerShowsAModalErrorBox) {
  TRecordingForm form;
  const std::wstring oldTitle = Application().Title();
  Application().SetTitle(L"维特兰诺测试");
  const DWORD mainThread = GetCurrentThreadId();
  std::wstring seenText;
  bool formEnabledDuringBox = true;
  std::atomic<bool> done{false};
  std::thread closer([&] {
    for (int i = 0; i < 500 && !done; ++i, Sleep(10)) {
      HWND box = FindWindowW(L"#32770", L"维特兰诺测试");
      if (!box || GetWindowThreadProcessId(box, nullptr) != mainThread || !IsWindowVisible(box)) continue;
      wchar_t text[256] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 256);  // the box's message
      seenText = text;
      formEnabledDuringBox = IsWindowEnabled(form.Handle());
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
      done = true;
    }
  });
  Application().ShowException(EError(L"磁盘已满"));
  done = true;
  closer.join();
  Application().SetTitle(oldTitle);
  EXPECT_EQ(seenText, L"磁盘已满.");
  EXPECT_FALSE(formEnabledDuringBox);
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
}

TEST(Run, EndsWhenTheMainFormIsDestroyedAndNotWhenAnotherIs) {
  TRecordingForm mainForm, other;
  std::vector<std::string> steps;
  TTimer driver({.interval = 10});
  driver.OnTimer = [&](TTimer&) {
    if (steps.empty()) steps.push_back("other closed"), other.Close();
    else if (steps.size() == 1) steps.push_back("still running"), mainForm.Close();
  };
  Watchdog watchdog;
  EXPECT_EQ(Application().Run(mainForm), 0);
  EXPECT_EQ(steps, (std::vector<std::string>{"other closed", "still running"}));
  EXPECT_EQ(mainForm.Handle(), nullptr);
}

// A message sent from another thread is handled inside GetMessage, which does not
// return for it: the loop must still notice that the form is gone.
TEST(Run, EndsWhenAnotherThreadClosesTheMainForm) {
  TRecordingForm mainForm;
  std::thread closer([handle = mainForm.Handle()] { Sleep(50), SendMessageW(handle, WM_CLOSE, 0, 0); });
  Watchdog watchdog;
  EXPECT_EQ(Application().Run(mainForm), 0);
  closer.join();
  EXPECT_EQ(mainForm.Handle(), nullptr);
}

TEST(Run, WMQuitEndsTheLoopWithItsCodeAndProcessMessagesPutsItBack) {
  TRecordingForm mainForm;
  PostQuitMessage(7);
  EXPECT_EQ(Application().Run(mainForm), 7);
  EXPECT_TRUE(IsWindow(mainForm.Handle()));
  PostQuitMessage(3);
  Application().ProcessMessages();
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}
