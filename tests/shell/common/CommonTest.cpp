// The shared small routines against the real system: the message table as linked
// into this executable, the registry (HKLM redirected to a scratch key), real
// top-level windows, files and the sound player.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <filesystem>
#include <fstream>

#include "shell/Common.h"
#include "tests/support/TestPaths.h"

namespace {

std::vector<int> MessageNumbers() {
  std::vector<int> numbers;
  for (int n = 512; n <= 532; ++n) numbers.push_back(n);
  for (int n = 535; n <= 556; ++n) numbers.push_back(n);
  numbers.insert(numbers.end(), {560, 561, 563});
  // The program's own questions after the table's texts: changing account over unsent
  // edits, closing while a commit waits.
  numbers.insert(numbers.end(), {564, 565});
  // The failure texts of the program's libraries.
  for (int n = 600; n <= 624; ++n) numbers.push_back(n);
  return numbers;
}

// ---------------------------------------------------------------------------
// Message table

TEST(GetResString, EveryNumberOfTheTableLoadsAndNoOtherDoes) {
  for (int n : MessageNumbers()) EXPECT_FALSE(GetResString(n).empty()) << n;
  for (int n : {0, 511, 533, 534, 557, 558, 559, 562, 566, 599, 625, 65535, -1}) EXPECT_EQ(GetResString(n), L"") << n;
  // The loader looks only at the low 16 bits: this would otherwise give string 512.
  EXPECT_EQ(GetResString(512 + 65536), L"");
}

TEST(GetResString, TextsComeBackAsTheExactUnicodeTexts) {
  EXPECT_EQ(GetResString(512), L"维特兰诺用户管理");
  EXPECT_EQ(GetResString(536), L"出于安全考虑，问题不可以不填!");
  EXPECT_EQ(GetResString(555), L"签  入");
  EXPECT_EQ(GetResString(563), L"内网专业服务");
}

TEST(FormatResString, FillsTheBlanksInOrderOnceAndNamesAMissingText) {
  EXPECT_EQ(FormatResString(611, {L"Profile", L"Accounts"}), L"XML 文档的根元素应为 <Profile>，却是 <Accounts>");
  EXPECT_EQ(FormatResString(611, {L"%s"}), L"XML 文档的根元素应为 <%s>，却是 <%s>")
      << "an argument is not filled in again";
  EXPECT_EQ(FormatResString(530, {L"a", L"b"}), L"更新错误：a") << "extra arguments are dropped";
  EXPECT_EQ(FormatResString(599, {L"C:\\x.bmp"}), L"#599 C:\\x.bmp");
}

TEST(GetResString, LineBreaksAreSingleLineFeeds) {
  EXPECT_EQ(GetResString(560),
            L"不按住Ctrl的选择会导致其他已选项的丢失，\x000A真的要这样吗？\x000A选择 是 - 取消其他项， 否 - 复选当前项");
  EXPECT_EQ(GetResString(561),
            L"注意：较长的缓存时间值虽然会加快域名的解析速度，\x000A但也导致域名在DNS中的更新变得迟钝。\x000A(推荐设为1分钟)");
  for (int n : MessageNumbers()) {
    const std::wstring text = GetResString(n);
    EXPECT_EQ(text.find_first_of(L"\\\r"), std::wstring::npos) << n;
  }
}

// The stored length of a string resource, read straight from the resource.
int StoredLength(int number) {
  const wchar_t* text = nullptr;
  return LoadStringW(GetModuleHandleW(nullptr), number, reinterpret_cast<wchar_t*>(&text), 0);
}

TEST(GetResString, OverlongStringsAreCutToTheLoadBuffer) {
  ASSERT_EQ(StoredLength(4000), 600);
  EXPECT_EQ(GetResString(4000), std::wstring(511, L'x'));

  // Unit 511 would be the first half of a surrogate pair: the cut drops the half.
  ASSERT_EQ(StoredLength(4001), 510 + 2 + 20);
  EXPECT_EQ(GetResString(4001), std::wstring(510, L'a'));
}

// ---------------------------------------------------------------------------
// Paths and the registry

TEST(GetExeDir, IsTheFolderOfTheRunningProgramWithATrailingBackslash) {
  const std::wstring dir = GetExeDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), L'\\');
  EXPECT_TRUE(FileAttributesExist(dir + L"common_test.exe"));
  EXPECT_EQ(dir.find(L"common_test"), std::wstring::npos);
}

// HKEY_LOCAL_MACHINE redirected to a scratch key for the length of one test, so the
// tests write the agent's install path without touching the machine's own keys. The
// key is per process: CTest may run the cases side by side.
class RedirectedMachineKey : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kAgentKey = L"SOFTWARE\\Tavrinel\\Veltrano";

  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, scratchPath_.c_str());
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, scratchPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &scratch_, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, scratch_), ERROR_SUCCESS);
  }

  void TearDown() override {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    if (scratch_) RegCloseKey(scratch_);
    RegDeleteTreeW(HKEY_CURRENT_USER, scratchPath_.c_str());
  }

  // Writes a value below the (redirected) machine key; `bytes` defaults to the text
  // with its terminator.
  void Write(const wchar_t* path, const wchar_t* name, DWORD type, const std::wstring& text, DWORD bytes = ~0u) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (bytes == ~0u) bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()), bytes),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  const std::wstring scratchPath_ = L"Software\\VTTests\\CommonMachine" + std::to_wstring(GetCurrentProcessId());
  HKEY scratch_ = nullptr;
};

TEST_F(RedirectedMachineKey, InstallPathEndsInExactlyOneBackslash) {
  Write(kAgentKey, L"Install Path", REG_SZ, L"C:\\Program Files\\维特兰诺");
  EXPECT_EQ(GetInstallPath(), L"C:\\Program Files\\维特兰诺\\");
  Write(kAgentKey, L"Install Path", REG_SZ, L"C:\\Program Files\\维特兰诺\\");
  EXPECT_EQ(GetInstallPath(), L"C:\\Program Files\\维特兰诺\\");
}

TEST_F(RedirectedMachineKey, InstallPathIsEmptyWhenNotRecorded) {
  EXPECT_EQ(GetInstallPath(), L"");  // no key
  Write(kAgentKey, L"Other", REG_SZ, L"C:\\x");
  EXPECT_EQ(GetInstallPath(), L"");  // no value
  Write(kAgentKey, L"Install Path", REG_SZ, L"");
  EXPECT_EQ(GetInstallPath(), L"");  // an empty folder gets no lone backslash
}

TEST_F(RedirectedMachineKey, ReadRegStringAcceptsPathsWithOrWithoutSeparators) {
  Write(kAgentKey, L"Install Path", REG_SZ, L"D:\\Agent");
  for (const wchar_t* path : {L"\\SOFTWARE\\Tavrinel\\Veltrano\\", L"SOFTWARE\\Tavrinel\\Veltrano",
                              L"\\\\SOFTWARE\\Tavrinel\\Veltrano", L"SOFTWARE\\Tavrinel\\Veltrano\\\\"}) {
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, path, L"Install Path"), L"D:\\Agent") << path;
  }
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, L"\\SOFTWARE\\Tavrinel\\Missing\\", L"Install Path"), L"");
}

TEST_F(RedirectedMachineKey, ReadRegStringReadsOnlyStringValuesWhateverTheirSize) {
  const DWORD number = 7;
  HKEY key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAgentKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(key);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kAgentKey, L"Number"), L"");

  // Stored without its terminator: the text must end where the data ends.
  Write(kAgentKey, L"Bare", REG_SZ, L"C:\\Bare", 7 * sizeof(wchar_t));
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kAgentKey, L"Bare"), L"C:\\Bare");

  Write(kAgentKey, L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\Agent");
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kAgentKey, L"Expand"), L"%SystemRoot%\\Agent");

  const std::wstring longText(5000, L'路');
  Write(kAgentKey, L"Long", REG_SZ, longText);
  EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kAgentKey, L"Long"), longText);
}

// ---------------------------------------------------------------------------
// System and windows

TEST(IsNT, TheSystemIsOfTheNtFamily) { EXPECT_TRUE(IsNT()); }

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

TEST(IsWindowPresent, FindsTopLevelWindowsByClassAndCaption) {
  const wchar_t* cls = L"VTCommonTestWindow";
  WNDCLASSW wc{};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  ASSERT_NE(RegisterClassW(&wc), 0);
  const std::wstring caption = L"维特兰诺用户管理";
  EXPECT_FALSE(IsWindowPresent(cls, L""));

  HWND top = CreateWindowExW(0, cls, caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             wc.hInstance, nullptr);
  ASSERT_NE(top, nullptr);
  EXPECT_TRUE(IsWindowPresent(cls, caption));
  EXPECT_TRUE(IsWindowPresent(cls, L""));
  EXPECT_FALSE(IsWindowPresent(cls, L"维特兰诺"));
  EXPECT_FALSE(IsWindowPresent(L"VTNoSuchClass", caption));
  EXPECT_FALSE(IsWindowPresent(L"", caption));

  DestroyWindow(top);
  EXPECT_FALSE(IsWindowPresent(cls, L""));
  UnregisterClassW(cls, wc.hInstance);
}

// ---------------------------------------------------------------------------
// Files and sounds

// A short, valid WAV file: 800 samples of 8-bit mono silence at 8 kHz.
void WriteWav(const std::wstring& path) {
  const unsigned char header[44] = {'R', 'I', 'F', 'F', 0x44, 3, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                    16, 0, 0, 0, 1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0,
                                    1, 0, 8, 0, 'd', 'a', 't', 'a', 0x20, 3, 0, 0};
  std::ofstream f(std::filesystem::path(path), std::ios::binary);
  f.write(reinterpret_cast<const char*>(header), sizeof header);
  f.write(std::string(800, '\x80').data(), 800);
}

TEST(FileAttributesExist, FilesAndFoldersExistMissingNamesDoNot) {
  const std::wstring dir = vt::test::ScratchDir(L"common_files");
  WriteWav(dir + L"点击.wav");
  EXPECT_TRUE(FileAttributesExist(dir + L"点击.wav"));
  EXPECT_TRUE(FileAttributesExist(dir));
  EXPECT_FALSE(FileAttributesExist(dir + L"missing.wav"));
  EXPECT_FALSE(FileAttributesExist(L""));
}

TEST(PlaySoundFile, PlaysAnExistingFileAndIgnoresEverythingElse) {
  const std::wstring dir = vt::test::ScratchDir(L"common_sound");
  WriteWav(dir + L"Click.wav");
  EXPECT_TRUE(PlaySoundFile(dir + L"Click.wav"));
  PlaySoundW(nullptr, nullptr, 0);

  EXPECT_FALSE(PlaySoundFile(L""));
  EXPECT_FALSE(PlaySoundFile(dir + L"Over.wav"));
  EXPECT_FALSE(PlaySoundFile(dir));  // a folder is not a sound file
}

// ---------------------------------------------------------------------------
// Splitting

std::vector<std::wstring> Split(const std::wstring& text, wchar_t delimiter = L',') {
  std::vector<std::wstring> list;
  SplitString(text, delimiter, list);
  return list;
}

using Pieces = std::vector<std::wstring>;

TEST(SplitString, KeepsOnlyTheTrimmedNonEmptyPiecesInOrder) {
  EXPECT_EQ(Split(L"  alpha , beta,, ,\tgamma\r\n ,维特 兰诺,"), (Pieces{L"alpha", L"beta", L"gamma", L"维特 兰诺"}));
  EXPECT_EQ(Split(L",leading"), (Pieces{L"leading"}));
  EXPECT_EQ(Split(L"single"), (Pieces{L"single"}));
  EXPECT_EQ(Split(L""), Pieces{});
  EXPECT_EQ(Split(L" , ,, "), Pieces{});
  EXPECT_EQ(Split(L"a,b;c , d", L';'), (Pieces{L"a,b", L"c , d"}));

  std::vector<std::wstring> list{L"kept"};  // appended to, never cleared
  SplitString(L"x,y", L',', list);
  EXPECT_EQ(list, (Pieces{L"kept", L"x", L"y"}));
}

TEST(SplitString, SplitsTextsBeyond65534CharactersWhole) {
  // A piece that straddles the 65,534th character and pieces after it all arrive.
  const std::wstring first(65530, L'a'), second(10, L'b'), third(5000, L'c');
  EXPECT_EQ(Split(first + L"," + second + L" , " + third + L","), (Pieces{first, second, third}));
  const std::wstring whole(70000, L'z');
  EXPECT_EQ(Split(L" " + whole + L" "), (Pieces{whole}));
}

}  // namespace
