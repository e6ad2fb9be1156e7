#include "profile/AppProfile.h"

#include "profile/XmlDom.h"

TXMLApplicationType LoadApplicationFile(const std::wstring& fileName) {
  return TXMLApplicationType(LoadXmlFile(fileName, L"Application"));
}

namespace {

// Walks the groups and their direct sub-categories in the look-ups' order: `take`
// sets the result from a category and tells whether it matched; `done` tells
// whether a result ends the walk.
template <class Result, class Take, class Done>
Result WalkCategories(const TXMLApplicationType& app, Result none, Take take, Done done) {
  Result result = none;
  if (!app.Assigned()) return result;
  const AppProfileXml::TXMLCategoriesType groups = app.Categories();
  for (int g = 0; g < groups.Count(); ++g) {
    const TXMLCategoryType group = groups.Item(g);
    take(group, result);
    // The first matching sub-category ends the group's search, whatever it gives.
    for (int s = 0; !done(result) && s < group.Count(); ++s)
      if (take(group.Item(s), result)) break;
    if (done(result)) break;
  }
  return result;
}

}  // namespace

int FindCategoryValue(const TXMLApplicationType& app, const std::wstring& name) {
  return WalkCategories(
      app, -1,
      [&](const TXMLCategoryType& c, int& result) {
        if (c.name() != name) return false;
        result = c.value();
        return true;
      },
      [](int result) { return result >= 0; });
}

std::wstring FindCategoryName(const TXMLApplicationType& app, int code) {
  return WalkCategories(
      app, std::wstring(),
      [&](const TXMLCategoryType& c, std::wstring& result) {
        if (c.value() != code) return false;
        result = c.name();
        return true;
      },
      [](const std::wstring& result) { return !result.empty(); });
}
