// The IP address edit on a shown skinned form: its layout over the picture, the typing
// rules of its fields with the focus moves, when OnChanged fires, and that whatever is
// typed the address stays the four bytes the fields show.
#include <random>
#include <string>
#include <vector>

#include "skin/BGIPEdit.h"
#include "tests/skin/BGTestUtil.h"

using namespace bg_test;

namespace {

class BGIPEditTest : public BGControlTest {
 protected:
  void SetUp() override {
    BGControlTest::SetUp();
    ip = std::make_unique<TBGIPEdit>(form, TControlArgs{.name = L"edtIP", .left = 40, .top = 30});
    ip->OnChanged = [this](TControl&) { fired.push_back(ip->IPString()); };
  }

  TIPMaskEdit& F(int i) { return ip->Field(i); }
  HWND Focus() const { return GetFocus(); }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(GetFocus(), WM_CHAR, c, 1);
  }
  void Key(WPARAM key) { SendMessageW(GetFocus(), WM_KEYDOWN, key, 1); }
  void Enter(int i) {
    F(i).SetFocus();
    F(i).SelectAll();
  }
  std::vector<std::wstring> Texts() {
    std::vector<std::wstring> texts;
    for (int i = 0; i < 4; ++i) texts.push_back(F(i).Text());
    return texts;
  }

  std::unique_ptr<TBGIPEdit> ip;
  std::vector<std::wstring> fired;
};

TEST_F(BGIPEditTest, FourFieldsAndThreeDotsFillTheClientAreaOverThePicture) {
  ASSERT_EQ(ip->Width(), 145);
  ASSERT_EQ(ip->Height(), 21);
  const int fieldLefts[] = {1, 38, 75, 112}, dotLefts[] = {30, 67, 104};
  for (int i = 0; i < 4; ++i) {
    const RECT r = F(i).BoundsRect();
    EXPECT_EQ(r.left, fieldLefts[i]);
    EXPECT_EQ(r.right - r.left, 29);
    EXPECT_EQ(r.bottom - r.top, 17);
    EXPECT_EQ(F(i).Text(), L"0");
  }
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ip->Dot(i).Left(), dotLefts[i]);
  EXPECT_EQ(F(3).BoundsRect().right, ip->ClientWidth());
  EXPECT_EQ(ip->IPString(), L"0.0.0.0");

  // Every white pixel of the fields shows the picture; the dots' gaps show it too.
  const TSkinBitmap shot = OnScreen(ip->Handle());
  EXPECT_EQ(CountColour(shot, RGB(255, 255, 255)), 0);
  EXPECT_EQ(shot.Pixel(31, 2), PictureUnder(ip->Handle(), 31, 2));

  ip->SetBounds(40, 30, 205, 25);
  EXPECT_EQ(F(1).Left(), 53);
  EXPECT_EQ(F(3).Width(), 44);
  EXPECT_EQ(F(3).Height(), 21);
}

TEST_F(BGIPEditTest, FieldsTakeDigitsClampTo255AndMoveOnWithWrapAround) {
  Enter(0);
  Type(L"300");
  EXPECT_EQ(F(0).Text(), L"255");
  EXPECT_EQ(Focus(), F(1).Handle());
  Type(L"19");
  EXPECT_EQ(Focus(), F(1).Handle());
  Type(L"2");
  EXPECT_EQ(Focus(), F(2).Handle()) << "after the third digit";
  Type(L" ");
  EXPECT_EQ(Focus(), F(3).Handle()) << "a blank moves on";
  EXPECT_EQ(F(2).Text(), L"0");
  Type(L".a-");
  EXPECT_EQ(F(3).Text(), L"0") << "refused, the selection stays";
  Type(L"123");
  EXPECT_EQ(Focus(), F(0).Handle()) << "from the fourth field to the first";
  EXPECT_EQ(ip->IPString(), L"255.192.0.123");

  // Arrows at the edges of a field, with wrap-around.
  F(0).SetSel(0, 0);
  Key(VK_LEFT);
  EXPECT_EQ(Focus(), F(3).Handle());
  F(3).SetSel(3, 0);
  Key(VK_RIGHT);
  EXPECT_EQ(Focus(), F(0).Handle());
  F(0).SetSel(1, 0);
  Key(VK_LEFT);
  EXPECT_EQ(Focus(), F(0).Handle()) << "inside the text the caret just moves";

  // An emptied field reads 0 at once and shows it when it is left.
  Enter(1);
  Type(std::wstring(1, VK_BACK));
  EXPECT_EQ(F(1).Text(), L"");
  EXPECT_EQ(ip->IPString(), L"255.0.0.123");
  Enter(2);
  EXPECT_EQ(F(1).Text(), L"0");
}

TEST_F(BGIPEditTest, OnChangedFiresOncePerWrittenFieldAfterTheFirst) {
  ip->SetIPString(L"10.0.0.1");
  fired.clear();
  ip->SetIPAddress(ip->IPAddress());
  ip->SetIPString(L"10.0.0.2");
  EXPECT_TRUE(fired.empty()) << "one field written";
  EXPECT_EQ(F(3).Text(), L"2");
  ip->SetIPString(L"10.0.0.1");
  fired.clear();
  ip->SetIPString(L"11.0.0.2");
  EXPECT_EQ(fired, (std::vector<std::wstring>{L"11.0.0.1", L"11.0.0.2"}));

  ip->SetIPString(L"192.168.0.1");
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"192", L"168", L"0", L"1"}));
  EXPECT_EQ(ip->IPAddress(), 192u | 168u << 8 | 0u << 16 | 1u << 24);
  EXPECT_EQ(DottedAddress(16909060), L"4.3.2.1");
  ip->SetIPString(L"no address");
  EXPECT_EQ(ip->IPString(), L"255.255.255.255");

  fired.clear();
  Enter(2);
  Type(L"7");
  EXPECT_EQ(fired, std::vector<std::wstring>{L"255.255.7.255"});
}

// Whatever reaches the fields, by keys, pastes or code, each field reads as one byte
// and the address is exactly those four bytes.
TEST_F(BGIPEditTest, WhateverIsTypedTheAddressIsTheFourBytesShown) {
  std::mt19937 random(20240611);
  const std::wstring chars = L"0123456789 .-a\b\b\b";
  const WPARAM keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END};
  Enter(0);
  for (int step = 0; step < 600; ++step) {
    const int what = random() % 10;
    if (what < 7)
      Type(std::wstring(1, chars[random() % chars.size()]));
    else if (what < 9)
      Key(keys[random() % std::size(keys)]);
    else
      Enter(static_cast<int>(random() % 4));
    uint32_t expected = 0;
    for (int i = 0; i < 4; ++i) {
      const std::wstring text = F(i).Text();
      ASSERT_TRUE(text.empty() || (text.size() <= 3 && IsDigitText(text) && std::stoi(text) <= 255))
          << "field " << i << " shows \"" << std::string(text.begin(), text.end()) << "\"";
      expected |= static_cast<uint32_t>(text.empty() ? 0 : std::stoi(text)) << (8 * i);
    }
    ASSERT_EQ(ip->IPAddress(), expected) << "step " << step;
  }

  // A paste that is no number is refused.
  Enter(1);
  const std::wstring before = F(1).Text();
  if (OpenClipboard(form.Handle())) {
    EmptyClipboard();
    const std::wstring text = L"1.5";
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();
    SendMessageW(F(1).Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(F(1).Text(), before);
  }
}

}  // namespace
