// The picture button: its visual states and their faces, the radio group and the order
// of its events, the sounds, what the mouse and the keyboard do (Space, Enter, the
// arrows in a group) with the focus mark, and the four picture styles checked against
// the faces they come from.
#include <gtest/gtest.h>

#include <memory>

#include "skin/Regions.h"
#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "skin/PicBtn.h"
#include "skin/SkinFaces.h"
#include "tests/skin/SkinTestUtil.h"
#include "tests/support/TestPaths.h"

using namespace skin_test;

namespace {

const COLORREF kIdle = RGB(10, 10, 200), kUp = RGB(10, 200, 10), kDown = RGB(200, 10, 10),
               kCheck = RGB(200, 200, 10), kDsbld = RGB(128, 128, 128);

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class PicBtnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.BGSource1.SetBitmap(Gradient(300, 200).Handle());
    SetPicBtnSoundPlayer([this](const std::wstring& file) { log.push_back("sound " + ToNarrow(file)); });
  }
  void TearDown() override { SetPicBtnSoundPlayer(nullptr); }

  static std::string ToNarrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

  std::unique_ptr<TPicBtn> Make(const wchar_t* name, int left = 20, int top = 30, int width = 40,
                                int height = 20) {
    auto button = std::make_unique<TPicBtn>(
        form, TControlArgs{.name = name, .left = left, .top = top, .width = width, .height = height});
    button->OnClick = [this](TControl& s) { log.push_back("click " + ToNarrow(s.Name())); };
    button->OnChecked = [this](TControl& s) { log.push_back("checked " + ToNarrow(s.Name())); };
    button->OnUnchecked = [this](TControl& s) { log.push_back("unchecked " + ToNarrow(s.Name())); };
    button->OnDblClick = [this](TControl& s) { log.push_back("dblclick " + ToNarrow(s.Name())); };
    return button;
  }
  static void Faces(TPicBtn& b, bool up, bool down, bool check, bool dsbld) {
    const int w = b.Width(), h = b.Height();
    b.PicIdle.Assign(TSkinBitmap(w, h, kIdle).Handle());
    if (up) b.PicUp.Assign(TSkinBitmap(w, h, kUp).Handle());
    if (down) b.PicDown.Assign(TSkinBitmap(w, h, kDown).Handle());
    if (check) b.PicCheck.Assign(TSkinBitmap(w, h, kCheck).Handle());
    if (dsbld) b.PicDsbld.Assign(TSkinBitmap(w, h, kDsbld).Handle());
  }
  static COLORREF Shown(TPicBtn& b) { return Painted(b.Handle()).Pixel(5, 5); }
  static void Send(TPicBtn& b, UINT msg, int x = 5, int y = 5) {
    SendMessageW(b.Handle(), msg, msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON, At(x, y));
  }
  static void ClickOn(TPicBtn& b) {
    Send(b, WM_LBUTTONDOWN);
    Send(b, WM_LBUTTONUP);
  }

  TSkinForm form;
  std::vector<std::string> log;
};

TEST_F(PicBtnTest, TheOldButtonIsUncheckedBeforeTheNewOneIsChecked) {
  auto a = Make(L"A"), b = Make(L"B", 80), c = Make(L"C", 140), other = Make(L"other", 200);
  a->SetGroup(1);
  b->SetGroup(1);
  c->SetGroup(1);
  other->SetGroup(2);
  other->SetChecked(true);
  a->SetChecked(true);
  log.clear();

  ClickOn(*b);
  EXPECT_EQ(log, (std::vector<std::string>{"click B", "unchecked A", "checked B"}));
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());  // another group is left alone

  log.clear();
  ClickOn(*b);  // the checked button: no checked event again
  EXPECT_EQ(log, std::vector<std::string>{"click B"});

  log.clear();
  c->SetGroup(3);  // c was not checked: nothing fires
  b->SetGroup(4);  // b was: it is unchecked under its old group first
  EXPECT_EQ(log, std::vector<std::string>{"unchecked B"});
  EXPECT_FALSE(b->Checked());
}

TEST_F(PicBtnTest, AButtonWithoutGroupIsNeverChecked) {
  auto a = Make(L"A");
  a->SetChecked(true);
  ClickOn(*a);
  EXPECT_FALSE(a->Checked());
  EXPECT_EQ(log, std::vector<std::string>{"click A"});
}

TEST_F(PicBtnTest, TheClickSoundPlaysBeforeAnyHandlerAndAMissingOneIsSkipped) {
  auto a = Make(L"A");
  a->SetSoundClick(L"Click.wav");
  a->SetSoundEnter(L"Over.wav");
  Send(*a, WM_MOUSEMOVE);
  ClickOn(*a);
  EXPECT_EQ(log, (std::vector<std::string>{"sound Over.wav", "sound Click.wav", "click A"}));

  log.clear();
  SetPicBtnSoundPlayer(nullptr);  // the real player
  a->SetSoundClick(L"Z:\\no\\such\\file.wav");
  ClickOn(*a);
  a->SetSoundClick(L"");
  ClickOn(*a);
  EXPECT_EQ(log, (std::vector<std::string>{"click A", "click A"}));
}

TEST_F(PicBtnTest, EveryStateFallsBackToTheIdleFace) {
  auto a = Make(L"A");
  Faces(*a, false, false, false, false);
  EXPECT_EQ(Shown(*a), kIdle);
  Send(*a, WM_MOUSEMOVE);
  EXPECT_EQ(a->State(), TPicState::Hover);
  EXPECT_EQ(Shown(*a), kIdle);
  Send(*a, WM_LBUTTONDOWN);
  EXPECT_EQ(a->State(), TPicState::Pressed);
  EXPECT_EQ(Shown(*a), kIdle);
  Send(*a, WM_LBUTTONUP);
  a->SetGroup(1);
  a->SetChecked(true);
  EXPECT_EQ(Shown(*a), kIdle);
  a->SetEnabled(false);
  EXPECT_EQ(a->State(), TPicState::Disabled);
  EXPECT_EQ(Shown(*a), kIdle);
}

TEST_F(PicBtnTest, EachStateShowsItsOwnFace) {
  auto a = Make(L"A");
  Faces(*a, true, true, true, true);
  a->SetGroup(1);
  Send(*a, WM_MOUSEMOVE);
  EXPECT_EQ(Shown(*a), kUp);
  Send(*a, WM_LBUTTONDOWN);
  EXPECT_EQ(Shown(*a), kDown);
  Send(*a, WM_LBUTTONUP);
  EXPECT_EQ(Shown(*a), kCheck);  // the click checked it; the pointer is still over it
  SendMessageW(a->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(a->State(), TPicState::Checked);
  Send(*a, WM_LBUTTONDOWN);
  EXPECT_EQ(Shown(*a), kDown);  // a checked button still shows its pressed face while held
  Send(*a, WM_LBUTTONUP);
  a->SetEnabled(false);
  EXPECT_EQ(Shown(*a), kDsbld);
  a->SetEnabled(true);
  EXPECT_EQ(Shown(*a), kCheck);
  a->PicCheck.Clear();  // without a checked face the pressed one stands in
  EXPECT_EQ(Shown(*a), kDown);
}

TEST_F(PicBtnTest, ReleasingOutsideAfterLeavingDoesNotClick) {
  auto a = Make(L"A");
  Faces(*a, true, true, false, false);
  Send(*a, WM_MOUSEMOVE);
  Send(*a, WM_LBUTTONDOWN);
  EXPECT_EQ(GetCapture(), a->Handle());
  EXPECT_EQ(Shown(*a), kDown);
  Send(*a, WM_MOUSEMOVE, 100, 5);  // captured: the move outside still arrives
  EXPECT_EQ(Shown(*a), kIdle);
  Send(*a, WM_MOUSEMOVE, 6, 6);    // back in while held
  EXPECT_EQ(Shown(*a), kDown);
  Send(*a, WM_MOUSEMOVE, -3, 5);
  Send(*a, WM_LBUTTONUP, -3, 5);
  EXPECT_EQ(Shown(*a), kIdle);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(log, std::vector<std::string>{});
}

TEST_F(PicBtnTest, LosingTheMouseOrTheFocusEndsThePress) {
  auto a = Make(L"A"), b = Make(L"B", 80);
  Send(*a, WM_LBUTTONDOWN);
  SetCapture(b->Handle());  // a message box or another window takes the mouse
  Send(*a, WM_LBUTTONUP);
  EXPECT_EQ(a->State(), TPicState::Idle);
  ReleaseCapture();
  a->SetFocus();
  Send(*a, WM_MOUSEMOVE);
  ASSERT_EQ(a->State(), TPicState::Hover);
  b->SetFocus();
  EXPECT_EQ(a->State(), TPicState::Idle);
  EXPECT_EQ(log, std::vector<std::string>{});
}

TEST_F(PicBtnTest, TheSecondPressOfADoubleClickDoesNotClickAgain) {
  auto a = Make(L"A");
  ClickOn(*a);
  Send(*a, WM_LBUTTONDBLCLK);
  Send(*a, WM_LBUTTONUP);
  EXPECT_EQ(log, (std::vector<std::string>{"click A", "dblclick A"}));
  Send(*a, WM_RBUTTONDOWN);
  EXPECT_EQ(a->State(), TPicState::Pressed);
  Send(*a, WM_RBUTTONUP);
  EXPECT_EQ(log.size(), 2u);  // only the left button clicks
}

// The keys press a focused button as the mouse does, sound and checking included: Space
// on its release, Enter at once; the arrows walk a group in screen order, past a
// disabled button and round the ends, checking each button, the focus staying on it.
TEST_F(PicBtnTest, SpaceEnterAndTheArrowsOfAGroupPressAsTheMouseDoes) {
  auto low = Make(L"low", 20, 90), top = Make(L"top"), off = Make(L"off", 20, 60), plain = Make(L"plain", 80);
  for (TPicBtn* button : {low.get(), top.get(), off.get()}) button->SetGroup(1);
  off->SetEnabled(false);
  top->SetSoundClick(L"Click.wav");
  low->OnChecked = [&](TControl&) {
    log.push_back("checked low");
    plain->SetFocus();  // as a page that opens does
  };
  const auto press = [](WPARAM key) {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    Application().ProcessMessages();
  };
  top->SetFocus();
  SendMessageW(top->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(top->State(), TPicState::Pressed);
  EXPECT_TRUE(log.empty());
  SendMessageW(top->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(log, (std::vector<std::string>{"sound Click.wav", "click top", "checked top"}));
  log.clear();
  press(VK_RETURN);
  EXPECT_EQ(log, (std::vector<std::string>{"sound Click.wav", "click top"}));
  log.clear();
  press(VK_DOWN);
  EXPECT_EQ(log, (std::vector<std::string>{"click low", "unchecked top", "checked low"}));
  EXPECT_TRUE(low->Focused());
  press(VK_DOWN);
  EXPECT_TRUE(top->Focused() && top->Checked());
  plain->SetFocus();
  press(VK_DOWN);  // no group: the arrows are the dialog manager's
  SendMessageW(off->Handle(), BM_CLICK, 0, 0);  // what automation tools send
  EXPECT_TRUE(top->Checked() && !off->Checked());
}

// The dotted mark: the inverse of the face on a rectangle two pixels inside the edge,
// only while the button has the focus and its window's UI state shows focus cues.
TEST_F(PicBtnTest, TheFocusedButtonShowsADottedMarkUnlessTheUiStateHidesIt) {
  auto a = Make(L"A", 20, 30, 40, 20), b = Make(L"B", 80);
  Faces(*a, false, false, false, false);
  const COLORREF inverse = RGB(255 - GetRValue(kIdle), 255 - GetGValue(kIdle), 255 - GetBValue(kIdle));
  const auto marked = [&] {
    const TSkinBitmap shown = Painted(a->Handle());
    int dots = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool edge = ((x == 2 || x == 37) && y >= 2 && y <= 17) || ((y == 2 || y == 17) && x >= 2 && x <= 37);
        EXPECT_TRUE(shown.Pixel(x, y) == kIdle || (edge && shown.Pixel(x, y) == inverse)) << x << "," << y;
        dots += shown.Pixel(x, y) == inverse;
      }
    return dots;
  };
  EXPECT_EQ(marked(), 0);
  a->SetFocus();
  EXPECT_GT(marked(), 40);  // about half of the rectangle's 104 pixels
  // What the system sends every window as the user turns to the mouse, then the keyboard.
  SendMessageW(a->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  EXPECT_EQ(marked(), 0);
  SendMessageW(a->Handle(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  EXPECT_GT(marked(), 40);
  b->SetFocus();
  EXPECT_EQ(marked(), 0);
}

TEST_F(PicBtnTest, WithoutPicturesTheCaptionIsWrittenOnAPlainFace) {
  auto a = Make(L"A", 20, 30, 60, 24);
  SetWindowTextW(a->Handle(), L"确定");
  const TSkinBitmap shown = Painted(a->Handle());
  int ink = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 60; ++x) {
      if (shown.Pixel(x, y) == a->Color()) continue;
      ++ink;
      EXPECT_GE(x, 2);
      EXPECT_GE(y, 2);
    }
  EXPECT_GT(ink, 10);
}

TEST_F(PicBtnTest, AutoSizeTakesThePictureSizeAtTheNextPaint) {
  auto a = Make(L"A");
  a->PicIdle.Assign(TSkinBitmap(127, 33, kIdle).Handle());
  a->SetAutoSize(true);
  Painted(a->Handle());
  EXPECT_EQ(a->Width(), 127);
  EXPECT_EQ(a->Height(), 33);
  EXPECT_EQ(a->Left(), 20);
  // The resize cut a new background of the new size.
  EXPECT_EQ(a->Background().Width(), 127);
  EXPECT_EQ(a->Background().Pixel(126, 32), GradientAt(146, 62));
}

TEST_F(PicBtnTest, StretchCoversTheButton) {
  auto a = Make(L"A", 20, 30, 40, 20);
  a->PicIdle.Assign(Face(10, 10, kIdle, {5, 5, 10, 10}, kDown).Handle());
  EXPECT_EQ(Painted(a->Handle()).Pixel(39, 19), a->Color());  // natural size: 10 x 10
  a->SetStretch(true);
  const TSkinBitmap shown = Painted(a->Handle());
  EXPECT_EQ(shown.Pixel(39, 19), kDown);
  EXPECT_EQ(shown.Pixel(0, 0), kIdle);
}

TEST_F(PicBtnTest, TheBackgroundIsCutOnResizeAndShowButNotOnMove) {
  auto a = Make(L"A", 20, 30, 40, 20);
  EXPECT_EQ(a->Background().Pixel(0, 0), GradientAt(20, 30));
  a->SetBounds(30, 30, 40, 20);
  EXPECT_EQ(a->Background().Pixel(0, 0), GradientAt(20, 30));
  a->SetVisible(false);
  EXPECT_EQ(a->Background().Pixel(0, 0), GradientAt(30, 30));
  a->SetBounds(35, 30, 40, 20);
  a->SetBounds(35, 30, 41, 20);
  EXPECT_EQ(a->Background().Pixel(0, 0), GradientAt(35, 30));
  auto provider = QueryWindowInterface<IBackgroundProvider>(a->Handle(), IID_IBackgroundProvider);
  ASSERT_TRUE(provider);
  EXPECT_EQ(provider->GetBackground(), a->Background().Handle());
}

TEST_F(PicBtnTest, FacesLoadFromFilesAndResourcesAndAMissingOneChangesNothing) {
  auto a = Make(L"A");
  const std::wstring dir = vt::test::ScratchDir(L"skin-faces");
  SaveBmp(TSkinBitmap(30, 10, kIdle), dir, L"Face.bmp");
  SaveBmp(TSkinBitmap(30, 10, kUp), dir, L"FaceDown.bmp");
  const HANDLE damaged = CreateFileW((dir + L"FaceUp.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(damaged, "BM not a bitmap", 15, &written, nullptr);
  CloseHandle(damaged);
  EXPECT_TRUE(LoadButtonFaces(*a, dir, L"Face"));
  EXPECT_EQ(a->PicIdle.Bitmap().Pixel(29, 9), kIdle);
  // The other states' faces are read when first used: the file as it is then counts.
  SaveBmp(TSkinBitmap(30, 10, kDown), dir, L"FaceDown.bmp");
  EXPECT_EQ(a->PicDown.Bitmap().Pixel(0, 0), kDown);
  EXPECT_TRUE(a->PicUp.Empty());  // unreadable: the hover state shows the idle face
  Send(*a, WM_MOUSEMOVE);
  ASSERT_EQ(a->State(), TPicState::Hover);
  EXPECT_EQ(Shown(*a), kIdle);
  EXPECT_FALSE(LoadButtonFaces(*a, dir, L"Absent"));
  EXPECT_EQ(a->PicIdle.Width(), 30);  // what was loaded stays

  a->PicUp.LoadFromResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101));
  EXPECT_EQ(a->PicUp.Width(), 13);
  EXPECT_EQ(a->PicUp.Height(), 13);
  EXPECT_THROW(a->PicUp.LoadFromResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(999)), EError);
  EXPECT_THROW(a->PicUp.LoadFromFile(dir + L"none.bmp"), EError);
  EXPECT_EQ(a->PicUp.Width(), 13);
}

// A face of magenta around a 30 x 12 block with a one-pixel notch at its top-left
// corner and a hole in its middle.
TSkinBitmap ShapedFace() {
  TSkinBitmap face = Face(40, 20, kMagenta, {5, 4, 35, 16}, kIdle);
  TBitmapDC dc(face.Handle());
  SetPixel(dc.DC(), 5, 4, kMagenta);
  RECT hole{18, 8, 22, 12};
  HBRUSH brush = CreateSolidBrush(kMagenta);
  FillRect(dc.DC(), &hole, brush);
  DeleteObject(brush);
  GdiFlush();
  return face;
}

TEST_F(PicBtnTest, TransparentStyleShowsThePictureWhereTheFaceHasItsKeyColour) {
  auto a = Make(L"A", 60, 70, 40, 20);
  a->PicIdle.Assign(ShapedFace().Handle());
  a->SetPicStyle(TPicStyle::psTransparent);
  const TSkinBitmap shown = Painted(a->Handle());
  const TSkinBitmap face = ShapedFace();
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      const COLORREF expected = face.Pixel(x, y) == kMagenta ? GradientAt(60 + x, 70 + y) : kIdle;
      ASSERT_EQ(shown.Pixel(x, y), expected) << x << "," << y;
    }
}

TEST_F(PicBtnTest, CroppedStylesCutTheWindowToTheFace) {
  auto a = Make(L"A", 60, 70, 40, 20);
  const TSkinBitmap face = ShapedFace();
  a->PicIdle.Assign(face.Handle());
  const auto windowRegion = [&] {
    TRegion r(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(a->Handle(), r.Get()) == ERROR ? TRegion() : std::move(r);
  };

  a->SetPicStyle(TPicStyle::psFastCrop);
  EXPECT_EQ(Painted(a->Handle()).Pixel(20, 10), kMagenta);  // the face is drawn as it is
  TRegion fast = windowRegion();
  ASSERT_TRUE(fast);
  EXPECT_TRUE(EqualRgn(fast.Get(), BitmapContourRegion(face.Handle(), kMagenta).Get()));
  EXPECT_TRUE(PtInRegion(fast.Get(), 20, 10));  // the outline ignores the hole

  a->SetPicStyle(TPicStyle::psNiceCrop);
  Painted(a->Handle());
  TRegion nice = windowRegion();
  ASSERT_TRUE(nice);
  EXPECT_TRUE(EqualRgn(nice.Get(), BitmapPixelRegion(face.Handle(), kMagenta).Get()));
  EXPECT_FALSE(PtInRegion(nice.Get(), 20, 10));
  EXPECT_FALSE(PtInRegion(nice.Get(), 5, 4));
  EXPECT_TRUE(PtInRegion(nice.Get(), 6, 4));

  // The pointer over the hole is not over the button.
  Send(*a, WM_MOUSEMOVE, 20, 10);
  EXPECT_EQ(a->State(), TPicState::Idle);

  a->SetPicStyle(TPicStyle::psNormal);
  EXPECT_FALSE(windowRegion());
}

class TCountingPicBtn : public TPicBtn {
 public:
  using TPicBtn::TPicBtn;
  int paints = 0;

 protected:
  void Paint(HDC dc, const RECT& clip) override {
    ++paints;
    TPicBtn::Paint(dc, clip);
  }
};

TEST_F(PicBtnTest, ACroppedButtonOnScreenSettlesAfterItsRegionIsSet) {
  TCountingPicBtn a(form, {.name = L"A", .left = 60, .top = 70, .width = 40, .height = 20});
  a.PicIdle.Assign(ShapedFace().Handle());
  a.SetPicStyle(TPicStyle::psFastCrop);
  form.Show();
  const ULONGLONG end = GetTickCount64() + 300;
  while (GetTickCount64() < end) {
    Pump();
    Sleep(5);
  }
  EXPECT_GE(a.paints, 1);
  EXPECT_LE(a.paints, 3);
  form.SetVisible(false);
}

}  // namespace
