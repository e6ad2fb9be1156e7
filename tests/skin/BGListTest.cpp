// The skinned memo, list box and combo box: scrolling without smeared picture, the list
// box's own selection drawing (multiple selection, the sweep, single selection) and
// its repaints after mouse and keys, the combo box's face.
#include <string>
#include <vector>

#include "skin/BGComboBox.h"
#include "skin/BGListBox.h"
#include "skin/BGMemo.h"
#include "tests/skin/BGTestUtil.h"

using namespace bg_test;

namespace {

class BGListTest : public BGControlTest {
 protected:
  static int Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }
  // Mostly highlight, with the entry's (smoothed) letters on it.
  static bool ShownSelected(const TSkinBitmap& shot, const RECT& rect) {
    const int highlight = CountColour(shot, GetSysColor(COLOR_HIGHLIGHT), &rect);
    return highlight > Area(rect) / 2 && highlight < Area(rect);
  }
  static bool ShownPlain(HWND list, const TSkinBitmap& shot, const RECT& rect) {
    int picture = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
      for (int x = rect.left; x < rect.right; ++x) picture += shot.Pixel(x, y) == PictureUnder(list, x, y);
    return picture > Area(rect) / 2 && CountColour(shot, GetSysColor(COLOR_WINDOW), &rect) == 0;
  }
  static std::vector<std::wstring> Entries(int n) {
    std::vector<std::wstring> items;
    for (int i = 0; i < n; ++i) items.push_back(L"Entry " + std::to_wstring(i));
    return items;
  }
  static LPARAM AtEntry(const TListBox& list, int index) {
    const RECT r = list.ItemRect(index);
    return MAKELPARAM(10, (r.top + r.bottom) / 2);
  }
  static void ExpectAllPicture(HWND window, const char* when) {
    const TSkinBitmap shot = OnScreen(window);
    EXPECT_EQ(PictureMatches(window, shot), PixelCount(shot)) << when;
  }
};

TEST_F(BGListTest, ScrollingAMemoLeavesNoSmearedPicture) {
  TBGMemo memo(form, {.name = L"mem", .left = 30, .top = 250, .width = 150, .height = 80});
  std::vector<std::wstring> lines(40);
  lines[0] = L"top";
  memo.SetLines(lines);
  OnScreen(memo.Handle());
  for (int step = 1; step <= 5; ++step) {
    SendMessageW(memo.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    ExpectAllPicture(memo.Handle(), "after a scroll-bar step");
  }
  SendMessageW(memo.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  ExpectAllPicture(memo.Handle(), "after the wheel");
  SendMessageW(memo.Handle(), WM_VSCROLL, SB_TOP, 0);
  OnScreen(memo.Handle());
  // The caret walking down past the last visible line scrolls the text by itself.
  for (int key = 0; key < 12; ++key) SendMessageW(memo.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  ASSERT_GT(SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  ExpectAllPicture(memo.Handle(), "after the keys");
  EXPECT_EQ(GetWindowRgn(memo.Handle(), CreateRectRgn(0, 0, 0, 0)), ERROR) << "the region is gone again";
  for (wchar_t c : std::wstring(L"typed")) SendMessageW(memo.Handle(), WM_CHAR, c, 0);
  EXPECT_TRUE(ComposedExactly(memo.Handle(), memo.Color())) << "after typing";
}

TEST_F(BGListTest, AMultipleSelectionListHighlightsItsEntriesAndTheSweep) {
  TBGListBox list(form, {.name = L"lst", .left = 300, .top = 20, .width = 120, .height = 160},
                  {.multiSelect = true});
  list.SetItems(Entries(8));
  list.SetSelected(2, true);
  list.SetSelected(5, true);
  TSkinBitmap shot = OnScreen(list.Handle());
  EXPECT_TRUE(ShownSelected(shot, list.ItemRect(2)));
  EXPECT_TRUE(ShownSelected(shot, list.ItemRect(5)));
  EXPECT_TRUE(ShownPlain(list.Handle(), shot, list.ItemRect(3)));

  SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, AtEntry(list, 1));
  EXPECT_EQ(list.AnchorItem(), 1);
  SendMessageW(list.Handle(), WM_MOUSEMOVE, MK_LBUTTON, AtEntry(list, 3));
  shot = OnScreen(list.Handle());
  for (int i : {1, 2, 3}) EXPECT_TRUE(ShownSelected(shot, list.ItemRect(i))) << "entry " << i << " during the sweep";
  for (int i : {0, 4, 5}) EXPECT_TRUE(ShownPlain(list.Handle(), shot, list.ItemRect(i))) << "entry " << i;
  SendMessageW(list.Handle(), WM_LBUTTONUP, 0, AtEntry(list, 3));
  EXPECT_EQ(list.AnchorItem(), -1);

  // With the focus, the caret's entry gets its focus rectangle once the face is shown.
  list.SetFocus();
  shot = OnScreen(list.Handle());
  const RECT caret = list.ItemRect(3);
  const RECT edge{caret.left, caret.top, caret.right, caret.top + 1};
  EXPECT_LT(CountColour(shot, GetSysColor(COLOR_HIGHLIGHT), &edge), Area(edge) * 3 / 4);
}

TEST_F(BGListTest, ASingleSelectionListFollowsTheKeysOverThePicture) {
  TBGListBox list(form, {.name = L"lst", .left = 300, .top = 20, .width = 120, .height = 160});
  list.SetItems(Entries(8));
  list.SetItemIndex(3);
  TSkinBitmap shot = OnScreen(list.Handle());
  EXPECT_TRUE(ShownSelected(shot, list.ItemRect(3)));
  EXPECT_TRUE(ShownPlain(list.Handle(), shot, list.ItemRect(2)));

  SendMessageW(list.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  ASSERT_EQ(list.ItemIndex(), 4);
  shot = OnScreen(list.Handle());
  EXPECT_TRUE(ShownSelected(shot, list.ItemRect(4)));
  EXPECT_TRUE(ShownPlain(list.Handle(), shot, list.ItemRect(3)));

  // A re-select asked for an entry that is no longer the selected one changes nothing.
  PostMessageW(list.Handle(), TBGListBox::kReselectMessage, 3, 0);
  skin_test::Pump();
  EXPECT_EQ(list.ItemIndex(), 4);
}

TEST_F(BGListTest, AScrolledListIsComposedFromScratch) {
  TBGListBox list(form, {.name = L"lst", .left = 300, .top = 20, .width = 120, .height = 100});
  list.SetItems(Entries(30));
  list.SetItemIndex(0);
  OnScreen(list.Handle());
  SendMessageW(list.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessageW(list.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  ASSERT_EQ(list.TopIndex(), 2);
  const TSkinBitmap shot = OnScreen(list.Handle());
  EXPECT_TRUE(ShownPlain(list.Handle(), shot, list.ItemRect(2)));
  EXPECT_TRUE(ShownPlain(list.Handle(), shot, list.ItemRect(4)));
}

TEST_F(BGListTest, AComboBoxShowsThePictureInItsField) {
  TBGComboBox combo(form, {.name = L"cmb", .left = 300, .top = 200, .width = 150, .height = 22},
                    {.style = TComboStyle::DropDownList});
  combo.SetItems(Entries(3));
  combo.SetItemIndex(1);
  EXPECT_TRUE(ComposedExactly(combo.Handle(), combo.Color()));
  const TSkinBitmap shot = OnScreen(combo.Handle());
  EXPECT_GT(PictureMatches(combo.Handle(), shot), PixelCount(shot) / 3);
}

}  // namespace
