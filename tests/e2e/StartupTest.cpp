// The real program against the real agent: it starts once, shows its main window,
// ends on Cancel or OK, and reports a start-up failure before any window exists.
#include <gtest/gtest.h>

#include "tests/e2e/E2eSupport.h"
#include "tests/support/TestPaths.h"

namespace {

using namespace e2e;

constexpr wchar_t kProgram[] = L"VTUserCnfg.exe";
constexpr wchar_t kMainClass[] = L"TCnfgMain";
constexpr wchar_t kTitle[] = L"维特兰诺用户管理";

TEST(Startup, MainWindowAppearsCentredWithItsCaption) {
  TProgram program(kProgram);
  HWND main = program.WaitForTopWindow(kMainClass);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));
  EXPECT_EQ(WindowText(main), kTitle);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 605);
  EXPECT_EQ(client.bottom, 441);
  EXPECT_NE(FindChild(main, L"TPicBtn", L"确定"), nullptr);
  HWND apply = FindChild(main, L"TPicBtn", L"应用");
  ASSERT_NE(apply, nullptr);
  EXPECT_FALSE(IsWindowEnabled(apply));
}

TEST(Startup, SecondInstanceEndsWithoutAWindow) {
  TProgram first(kProgram);
  ASSERT_NE(first.WaitForTopWindow(kMainClass), nullptr);
  TProgram second(kProgram);
  ASSERT_TRUE(second.WaitForExit(15000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_EQ(second.TopWindow(L""), nullptr);
  EXPECT_TRUE(first.Running());
}

// Starts the program, clicks the main window's button with this caption, and
// expects the program to end normally.
void ExpectButtonEndsTheProgram(const wchar_t* caption) {
  TProgram program(kProgram);
  HWND main = program.WaitForTopWindow(kMainClass);
  ASSERT_NE(main, nullptr);
  Click(FindChild(main, L"TPicBtn", caption));
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(Startup, CancelEndsTheProgram) { ExpectButtonEndsTheProgram(L"取消"); }

TEST(Startup, OkWithNothingModifiedEndsTheProgram) { ExpectButtonEndsTheProgram(L"确定"); }

// The program copied to a folder without its application file.
TEST(Startup, MissingApplicationFileIsReportedAndEndsStartUp) {
  const std::wstring dir = vt::test::ScratchDir(L"noappfile");
  ASSERT_TRUE(CopyFileW((vt::test::ProductDir() + kProgram).c_str(), (dir + kProgram).c_str(), FALSE));
  TProgram program(dir + kProgram, L"", dir);
  HWND box = program.WaitForTopWindow(L"#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(StaticTexts(box).find(L"AppProfile.xml"), std::wstring::npos);
  EXPECT_EQ(program.TopWindow(kMainClass), nullptr);
  PressOk(box);
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(program.ExitCode(), 1u);
}

// The program copied to a folder with an application file that is cut short: the box
// says which file, that it is not well-formed XML, and the parser's reason and place.
TEST(Startup, DamagedApplicationFileIsReportedWithTheReasonAndPlace) {
  const std::wstring dir = vt::test::ScratchDir(L"badappfile");
  ASSERT_TRUE(CopyFileW((vt::test::ProductDir() + kProgram).c_str(), (dir + kProgram).c_str(), FALSE));
  const char damaged[] = "<Application>\r\n  <Hosts>\r\n    <Host>ns1.example</Host>\r\n</Application>\r\n";
  HANDLE file = CreateFileW((dir + L"AppProfile.xml").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, damaged, sizeof damaged - 1, &written, nullptr);
  CloseHandle(file);

  TProgram program(dir + kProgram, L"", dir);
  HWND box = program.WaitForTopWindow(L"#32770");
  ASSERT_NE(box, nullptr);
  const std::wstring text = StaticTexts(box);
  EXPECT_NE(text.find(L"AppProfile.xml 不是格式正确的 XML："), std::wstring::npos) << Narrow(text);
  EXPECT_NE(text.find(L"Hosts"), std::wstring::npos) << "the parser's reason names the element";
  EXPECT_NE(text.find(L" 行"), std::wstring::npos) << "and the place";
  EXPECT_EQ(program.TopWindow(kMainClass), nullptr);
  PressOk(box);
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(program.ExitCode(), 1u);
}

}  // namespace
