// The language box: the fixed table in its order, the system's names, the user's
// language selected after filling, and selection by identifier. Run once more under a
// Chinese locale (VT_EXPECT_LANGID=0804), where the user's language is 0x0804.
#include <cstdlib>

#include "skin/LangBox.h"
#include "tests/skin/BGTestUtil.h"

using namespace bg_test;

namespace {

class LangBoxTest : public BGControlTest {
 protected:
  void SetUp() override {
    BGControlTest::SetUp();
    box = std::make_unique<TLanguageComboBox>(form, TControlArgs{.name = L"lang", .left = 20, .top = 20, .height = 21});
  }
  std::unique_ptr<TLanguageComboBox> box;
};

std::wstring SystemName(LANGID language) {
  wchar_t name[80] = {};
  VerLanguageNameW(language, name, 79);
  return name;
}

TEST_F(LangBoxTest, FillingListsTheTableByNameAndSelectsTheUsersLanguage) {
  EXPECT_EQ(box->Width(), 200);
  EXPECT_EQ(box->Style(), TComboStyle::DropDownList);
  box->Fill();
  ASSERT_EQ(box->Count(), 107);
  const auto& table = TLanguageComboBox::kLanguages;
  EXPECT_EQ(table.front(), 0x0800);
  EXPECT_EQ(table.back(), 0x042A);
  EXPECT_EQ(box->Item(2), SystemName(0x0436));    // Afrikaans, after the two defaults
  EXPECT_EQ(box->Item(106), SystemName(0x042A));  // Vietnamese, last
  EXPECT_EQ(box->Item(28), box->Item(76)) << "0x041A twice";

  const LANGID user = GetUserDefaultLangID();
  if (const char* expected = std::getenv("VT_EXPECT_LANGID")) {
    EXPECT_EQ(user, std::strtoul(expected, nullptr, 16));
  }
  EXPECT_EQ(box->SelectedLanguage(), user);
  EXPECT_EQ(box->Text(), SystemName(user));
  box->Fill();
  EXPECT_EQ(box->Count(), 107) << "filling again replaces the entries";
}

TEST_F(LangBoxTest, SelectingByIdentifierTakesTheFirstMatchOrNothing) {
  box->Fill();
  box->SelectLanguage(0x041A);
  EXPECT_EQ(box->ItemIndex(), 28);
  EXPECT_EQ(box->SelectedLanguage(), 0x041A);
  box->SelectLanguage(0x0C04);
  EXPECT_EQ(box->ItemIndex(), 26);
  box->SelectLanguage(0x1234);
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->SelectedLanguage(), 0);
}

}  // namespace
