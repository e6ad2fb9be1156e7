// The application object: the error report's text rule, where reports go, the real
// error box, and when the message loop ends.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "Application.h"
#include "Button.h"
#include "Exception.h"
#include "Timer.h"
#include "ToolkitTestUtil.h"

using namespace toolkit_test;

namespace {

// Collects what the error report would show, for the length of a test.
class ReportCollector {
 public:
  ReportCollector() {
    Application().OnException = [this](const std::wstring& text) { texts.push_back(text); };
  }
  ~ReportCollector() { Application().OnException = nullptr; }
  std::vector<std::wstring> texts;
};

std::wstring ReportOf(const std::function<void()>& thrower) {
  ReportCollector reports;
  try {
    thrower();
  } catch (...) {
    Application().HandleException();
  }
  return reports.texts.size() == 1 ? reports.texts[0] : L"<" + std::to_wstring(reports.texts.size()) + L" reports>";
}

// Ends a message loop that failed to end by itself, so a fault fails the test
// instead of hanging it.
class Watchdog {
 public:
  static constexpr int kQuitCode = 99;
  Watchdog() : timer_({.name = L"Watchdog", .interval = 3000}) {
    timer_.OnTimer = [](TTimer& t) {
      t.SetEnabled(false);
      PostQuitMessage(kQuitCode);
    };
  }

 private:
  TTimer timer_;
};

}  // namespace

TEST(ErrorReportText, AppendsAPeriodOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(ErrorReportText(L"abc"), L"abc.");
  EXPECT_EQ(ErrorReportText(L"abc."), L"abc.");
  EXPECT_EQ(ErrorReportText(L"a!"), L"a!");    // '!' < '.'
  EXPECT_EQ(ErrorReportText(L"a-"), L"a-");    // '-' is just below '.'
  EXPECT_EQ(ErrorReportText(L"a/"), L"a/.");   // '/' is just above
  EXPECT_EQ(ErrorReportText(L"code 5"), L"code 5.");
  EXPECT_EQ(ErrorReportText(L"错误！"), L"错误！.");  // full-width '！' is U+FF01
  EXPECT_EQ(ErrorReportText(L""), L"");
}

TEST(HandleException, ReportsTheMessageOfEveryKindOfException) {
  EXPECT_EQ(ReportOf([] { throw EError(L"连接失败"); }), L"连接失败.");
  EXPECT_EQ(ReportOf([] { throw EOleError(E_FAIL, L"Agent gone"); }), L"Agent gone.");
  EXPECT_EQ(ReportOf([] { throw std::runtime_error("disk full"); }), L"disk full.");
  EXPECT_EQ(ReportOf([] { throw 42; }), L"Unknown exception.");
}

TEST(HandleException, AHandlerThatFailsInsideOnExceptionDoesNotEscape) {
  Application().OnException = [](const std::wstring&) { throw std::runtime_error("nested"); };
  try {
    throw EError(L"first");
  } catch (...) {
    Application().HandleException();  // must return normally
  }
  Application().OnException = nullptr;
}

TEST(HandleException, AnExceptionInAClickHandlerReachesTheReportAndTheProgramGoesOn) {
  ReportCollector reports;
  TRecordingForm form;
  TButton button(form, {.name = L"btnGo", .left = 10, .top = 10, .width = 80, .height = 24});
  int clicks = 0;
  button.OnClick = [&](TControl&) {
    ++clicks;
    throw EError(L"更新错误：无连接");
  };
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  SendMessageW(button.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(reports.texts.size(), 2u);
  EXPECT_EQ(reports.texts[0], L"更新错误：无连接.");
  EXPECT_TRUE(IsWindow(button.Handle()));
}

// The box itself, once: found by its caption from another thread, read, and closed
// with its OK button.
TEST(HandleException, WithoutAHandlerShowsAModalErrorBox) {
  Application().OnException = nullptr;
  const std::wstring oldTitle = Application().Title();
  Application().SetTitle(L"维特兰诺测试");
  TRecordingForm form;  // hidden, so nothing is active: the box is modal to the thread
  const DWORD mainThread = GetCurrentThreadId();
  std::wstring seenText;
  bool formEnabledDuringBox = true;
  std::atomic<bool> pressed{false};
  std::thread closer([&] {
    for (int i = 0; i < 500 && !pressed; ++i) {
      HWND box = FindWindowW(L"#32770", L"维特兰诺测试");
      if (box && GetWindowThreadProcessId(box, nullptr) == mainThread && IsWindowVisible(box)) {
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);  // the box's message text
        seenText = text;
        formEnabledDuringBox = IsWindowEnabled(form.Handle());
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        pressed = true;
      }
      Sleep(10);
    }
  });
  Application().ShowException(EError(L"磁盘已满"));
  pressed = true;
  closer.join();
  Application().SetTitle(oldTitle);
  EXPECT_EQ(seenText, L"磁盘已满.");
  EXPECT_FALSE(formEnabledDuringBox);
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
}

TEST(Run, EndsWhenTheMainFormIsDestroyedAndNotBefore) {
  TRecordingForm mainForm;
  TRecordingForm other;
  std::vector<std::string> steps;
  TTimer timer({.name = L"Driver", .interval = 10});
  timer.OnTimer = [&](TTimer&) {
    if (steps.empty()) {
      steps.push_back("other closed");
      other.Close();
    } else if (steps.size() == 1) {
      steps.push_back("still running");
      mainForm.Close();
    }
  };
  Watchdog watchdog;
  const int code = Application().Run(mainForm);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(steps, (std::vector<std::string>{"other closed", "still running"}));
  EXPECT_EQ(other.Handle(), nullptr);
  EXPECT_EQ(mainForm.Handle(), nullptr);
}

TEST(Run, EndsWhenAnotherThreadClosesTheMainForm) {
  TRecordingForm mainForm;
  HWND handle = mainForm.Handle();
  std::thread closer([handle] {
    Sleep(50);
    SendMessageW(handle, WM_CLOSE, 0, 0);  // processed inside GetMessage
  });
  Watchdog watchdog;
  EXPECT_EQ(Application().Run(mainForm), 0);
  closer.join();
  EXPECT_EQ(mainForm.Handle(), nullptr);
}

TEST(Run, ReturnsTheQuitCodeAndLeavesTheFormAlone) {
  TRecordingForm mainForm;
  PostQuitMessage(7);
  EXPECT_EQ(Application().Run(mainForm), 7);
  EXPECT_TRUE(IsWindow(mainForm.Handle()));
}

TEST(ProcessMessages, PutsWMQuitBackForTheLoopThatOwnsIt) {
  PostQuitMessage(3);
  Application().ProcessMessages();
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}
