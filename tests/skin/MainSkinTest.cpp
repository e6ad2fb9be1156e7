// The skinned main window with the shipped skin next to the test program: the picture
// sizes and fills the window, every button wears its faces and plays the shipped
// sounds, and the faces the skin script made have the sizes and key colours the
// buttons rely on.
#include <gtest/gtest.h>

#include "shell/Common.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/skin/SkinTestUtil.h"
#include "agent/UnitDef.h"
#include "shell/frmCnfgMain.h"

using namespace skin_test;

namespace {

class MainSkinTest : public MainWindowFixture {
 protected:
  void SetUp() override {
    SetPicBtnSoundPlayer([this](const std::wstring& file) { sounds.push_back(file); });
    MainWindowFixture::SetUp();
  }
  void TearDown() override {
    MainWindowFixture::TearDown();
    SetPicBtnSoundPlayer(nullptr);
  }

  std::vector<std::wstring> sounds;
};

TEST_F(MainSkinTest, ThePictureFillsTheWindowAndLiesUnderItsControls) {
  ASSERT_NE(main->GetBackground(), nullptr);
  const TSkinBitmap& picture = main->BGSource1.Bitmap();
  EXPECT_EQ(picture.Width(), 605);
  EXPECT_EQ(picture.Height(), 441);
  EXPECT_EQ(main->ClientWidth(), 605);
  EXPECT_EQ(main->ClientHeight(), 441);
  const TSkinBitmap painted = Painted(main->Handle());
  EXPECT_EQ(painted.Pixel(300, 200), picture.Pixel(300, 200));  // the page area
  EXPECT_EQ(painted.Pixel(5, 5), picture.Pixel(5, 5));          // the header band
  // The buttons were made before the picture was loaded: each cuts its background at
  // its first painting and shows the picture wherever its face has the key colour.
  const TSkinBitmap shown = Painted(main->btnOptions.Handle());
  std::string where;
  EXPECT_TRUE(SameAs(main->btnOptions.Background(), picture, 19, 312, &where)) << where;
  const TSkinBitmap& face = main->btnOptions.PicIdle.Bitmap();
  for (int y = 0; y < face.Height(); ++y)
    for (int x = 0; x < face.Width(); ++x) {
      const COLORREF expected = face.Pixel(x, y) == kMagenta ? picture.Pixel(19 + x, 312 + y) : face.Pixel(x, y);
      ASSERT_EQ(shown.Pixel(x, y), expected) << x << "," << y;
    }
}

TEST_F(MainSkinTest, EveryButtonWearsItsFaces) {
  for (TPicBtn* b : {&main->btnUser, &main->btnDns, &main->btnRRs, &main->btnHierarchy,
                     &main->btnInfo, &main->btnOptions, &main->btnOK, &main->btnCancel,
                     &main->btnApply}) {
    SCOPED_TRACE(std::string(b->Name().begin(), b->Name().end()));
    EXPECT_EQ(b->PicStyle(), TPicStyle::psTransparent);
    EXPECT_TRUE(b->AutoSize());
    EXPECT_FALSE(b->PicIdle.Empty());
    EXPECT_FALSE(b->PicUp.Empty());
    EXPECT_FALSE(b->PicDown.Empty());
    EXPECT_EQ(b->SoundClick(), GetExeDir() + L"Click.wav");
  }
  EXPECT_EQ(main->btnUser.Group(), 1u);
  EXPECT_EQ(main->btnUser.SoundEnter(), GetExeDir() + L"Over.wav");
  EXPECT_EQ(main->btnOK.Group(), 0u);
  EXPECT_TRUE(main->btnOK.SoundEnter().empty());
  EXPECT_FALSE(main->btnApply.PicDsbld.Empty());
  EXPECT_EQ(main->btnApply.State(), TPicState::Disabled);
  EXPECT_EQ(&main->btnApply.StatePicture(), &main->btnApply.PicDsbld);
  EXPECT_EQ(&main->btnUser.StatePicture(), &main->btnUser.PicDown);  // checked at start
}

TEST_F(MainSkinTest, TheMouseNavigatesWithTheShippedSounds) {
  HWND dns = main->btnDns.Handle();
  SendMessageW(dns, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  SendMessageW(dns, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageW(dns, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(main->btnDns.Checked());
  EXPECT_FALSE(main->btnUser.Checked());
  EXPECT_EQ(sounds, (std::vector<std::wstring>{GetExeDir() + L"Over.wav", GetExeDir() + L"Click.wav"}));
  for (const std::wstring& file : sounds) EXPECT_TRUE(FileAttributesExist(file));
}

TEST(SkinFilesTest, FacesHaveTheirSizesAndKeyColours) {
  struct TFile {
    const wchar_t* name;
    int width, height;
    bool keyed;
  };
  const TFile files[] = {
      {L"background.bmp", 605, 441, false}, {L"popup.bmp", 193, 99, false},
      {L"PopupClose.bmp", 13, 13, false},   {L"PopupCloseDown.bmp", 13, 13, false},
      {L"btnUser.bmp", 127, 33, true},      {L"btnOptionsUp.bmp", 127, 33, true},
      {L"btnInfoDown.bmp", 127, 33, true},  {L"btnOK.bmp", 84, 24, true},
      {L"btnCancelDown.bmp", 84, 24, true}, {L"btnApplyDisabled.bmp", 84, 24, true},
      {L"SnapPro.bmp", 135, 16, true},      {L"SnapBackUp.bmp", 95, 16, true},
  };
  for (const TFile& f : files) {
    SCOPED_TRACE(std::string(f.name, f.name + wcslen(f.name)));
    TSkinBitmap picture;
    picture.LoadFromFile(GetExeDir() + f.name);
    EXPECT_EQ(picture.Width(), f.width);
    EXPECT_EQ(picture.Height(), f.height);
    EXPECT_EQ(picture.Pixel(0, 0) == kMagenta, f.keyed);
    // A keyed face shows something in its middle.
    if (f.keyed) EXPECT_NE(picture.Pixel(f.width / 2, f.height / 2), kMagenta);
  }
}

}  // namespace
