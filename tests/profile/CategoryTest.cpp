// The category look-ups over the application file's two-level tree, in the order
// the walk must take.
#include <gtest/gtest.h>

#include "profile/AppProfile.h"
#include "profile/XmlDom.h"

namespace {

TXMLApplicationType App(const std::wstring& categories) {
  return TXMLApplicationType(LoadXmlText(L"<Application><Categories>" + categories +
                                              L"</Categories></Application>",
                                          L"Application"));
}

TEST(CategoryLookups, GroupsComeBeforeTheirSubCategories) {
  const TXMLApplicationType app = App(
      L"<Category name=\"Music\" value=\"100\"><Category name=\"Rock\" value=\"101\"/></Category>"
      L"<Category name=\"Rock\" value=\"200\"><Category name=\"Music\" value=\"201\"/>"
      L"<Category name=\"Jazz\" value=\"202\"/></Category>"
      L"<Category name=\"Other\" value=\"300\"><Category name=\"Jazz\" value=\"301\"/></Category>");
  EXPECT_EQ(FindCategoryValue(app, L"Music"), 100);  // the group, before group 2's sub
  EXPECT_EQ(FindCategoryValue(app, L"Rock"), 101);   // group 1's sub before group 2
  EXPECT_EQ(FindCategoryValue(app, L"Jazz"), 202);   // the earlier group wins
  EXPECT_EQ(FindCategoryValue(app, L"jazz"), -1);    // case matters
  EXPECT_EQ(FindCategoryName(app, 202), L"Jazz");
  EXPECT_EQ(FindCategoryName(app, 300), L"Other");
  EXPECT_EQ(FindCategoryName(app, 999), L"");
}

TEST(CategoryLookups, NegativeCodesAndEmptyNamesDoNotEndTheWalk) {
  const TXMLApplicationType app = App(
      L"<Category name=\"G\" value=\"1\"><Category name=\"X\" value=\"-1\"/>"
      L"<Category name=\"X\" value=\"5\"/><Category name=\"\" value=\"7\"/>"
      L"<Category name=\"Seven\" value=\"7\"/></Category>"
      L"<Category name=\"H\" value=\"2\"><Category name=\"X\" value=\"9\"/>"
      L"<Category name=\"Late\" value=\"7\"/></Category>");
  // The first "X" under G matches with -1 and ends G's search; H's "X" is found.
  EXPECT_EQ(FindCategoryValue(app, L"X"), 9);
  EXPECT_EQ(FindCategoryName(app, -1), L"X");
  // The empty-named 7 ends G's search without a result; H gives the name.
  EXPECT_EQ(FindCategoryName(app, 7), L"Late");
}

TEST(CategoryLookups, TheThirdLevelIsNeverFound) {
  const TXMLApplicationType app = App(
      L"<Category name=\"G\" value=\"1\"><Category name=\"S\" value=\"2\">"
      L"<Category name=\"Deep\" value=\"3\"/></Category></Category>");
  EXPECT_EQ(FindCategoryValue(app, L"Deep"), -1);
  EXPECT_EQ(FindCategoryName(app, 3), L"");
  EXPECT_EQ(FindCategoryValue(TXMLApplicationType(), L"G"), -1);  // nothing loaded
}

}  // namespace
