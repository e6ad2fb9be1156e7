#include <gtest/gtest.h>
#include <windows.h>
TEST(Smoke, WindowCreates) {
  HWND w = CreateWindowExW(0, L"STATIC", L"维特兰诺", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  wchar_t buf[32];
  GetWindowTextW(w, buf, 32);
  EXPECT_STREQ(buf, L"维特兰诺");
  DestroyWindow(w);
}
