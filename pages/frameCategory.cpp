#include "pages/frameCategory.h"

#include "agent/UnitDef.h"
#include "pages/PageLayout.h"

namespace {

constexpr wchar_t kIndent[] = L"    ";  // a sub-category's entry

}  // namespace

TPageCategory::TPageCategory(TControl& host)
    : TInfoSheet(host, kClassName, L"PageCategory", kWidth, kHeight),
      BGLabel1(BGPanel1, CaptionArgs(*this, L"BGLabel1", 24, 12, L"请从下面的列表中选择符合你站点的分类，")),
      BGLabel2(BGPanel1, CaptionArgs(*this, L"BGLabel2", 24, 32, L"已选择的分类将高亮度显示在其中")),
      lstCategory(BGPanel1, {.name = L"lstCategory", .left = 24, .top = 52, .width = 265, .height = 185},
                  {.multiSelect = true, .itemHeight = 15}),
      BGLabel8(BGPanel1, CaptionArgs(*this, L"BGLabel8", 24, 240, L"多选请按住Ctrl键")),
      nameCategory(lstCategory, L"站点分类") {
  lstCategory.OnClick = [this](TControl& s) { lstCategoryClick(s); };
}

void TPageCategory::Refresh() {
  // The entries go in again only when they changed, and the selection changes only
  // where it differs.
  FillEntries();
  lstCategory.SetSelection(ProfileEntries());
  // The list opens at the top, with the caret on the first chosen entry.
  int first = 0;
  while (first < lstCategory.Count() && !lstCategory.Selected(first)) ++first;
  lstCategory.SetTopIndex(0);
  lstCategory.SetItemIndex(first < lstCategory.Count() ? first : 0);
  lstCategory.Invalidate();
  lstCategory.SetFocus();
  TInfoSheet::Refresh();
}

void TPageCategory::FillEntries() {
  const std::vector<std::wstring> entries = ListEntries();
  if (entries != lstCategory.Items()) lstCategory.SetItems(entries);
}

std::vector<std::wstring> TPageCategory::ListEntries() {
  groups_.clear();
  std::vector<std::wstring> entries;
  if (!AppFile.Assigned()) return entries;
  const AppProfileXml::TXMLCategoriesType categories = AppFile.Categories();
  for (int g = 0; g < categories.Count(); ++g) {
    const TXMLCategoryType group = categories.Item(g);
    TGroup& shown = groups_.emplace_back(TGroup{group.name(), {}});
    entries.push_back(shown.name);
    for (int c = 0; c < group.Count(); ++c) {
      shown.children.push_back(group.Item(c).name());
      entries.push_back(kIndent + shown.children.back());
    }
  }
  return entries;
}

void TPageCategory::SelectEntry(const std::wstring& name, bool selected) {
  const int entry = EntryOf(name);
  if (entry >= 0 && lstCategory.Selected(entry) != selected) lstCategory.SetSelected(entry, selected);
}

std::vector<int> TPageCategory::ProfileEntries() const {
  std::vector<int> chosen;
  if (!UserProfile.Assigned() || !AppFile.Assigned()) return chosen;
  const UserProfileXml::TXMLCategoriesType categories = UserProfile.Categories();
  for (int i = 0; i < categories.Count(); ++i) {
    const std::wstring name = FindCategoryName(categories.Item(i));
    if (const int entry = EntryOf(name); !name.empty() && entry >= 0) chosen.push_back(entry);
  }
  return chosen;
}

int TPageCategory::EntryOf(const std::wstring& name) const {
  for (int i = 0; i < lstCategory.Count(); ++i)
    if (TrimLeadingBlanks(lstCategory.Item(i)) == name) return i;
  return -1;
}

void TPageCategory::ShowProfileCategories() {
  // The list does not paint while its selection is worked through (hiding it instead
  // would lose the keyboard focus to its parent).
  TNoRedraw quiet(lstCategory);
  for (int entry : ProfileEntries())
    if (!lstCategory.Selected(entry)) lstCategory.SetSelected(entry, true);
}

void TPageCategory::FollowTree(const std::wstring& name, bool selected) {
  if (selected) {
    for (const TGroup& group : groups_) {
      if (group.name == name) return;
      for (const std::wstring& child : group.children) {
        if (child != name) continue;
        SelectEntry(group.name, true);
        return;
      }
    }
    return;
  }
  for (const TGroup& group : groups_) {
    if (group.name != name) continue;
    for (const std::wstring& child : group.children) SelectEntry(child, false);
    return;
  }
}

void TPageCategory::lstCategoryClick(TControl&) {
  if (!AppFile.Assigned() || !UserProfile.Assigned()) return;
  const int clicked = lstCategory.ItemIndex();
  if (clicked < 0) return;
  const std::wstring name = TrimLeadingBlanks(lstCategory.Item(clicked));
  if (KeepsOthers(lstCategory, UserProfile.Categories().Count())) ShowProfileCategories();
  FollowTree(name, lstCategory.Selected(clicked));
  lstCategory.SetItemIndex(clicked);
  lstCategory.Invalidate();
  WriteCategories();
}

void TPageCategory::WriteCategories() {
  UserProfileXml::TXMLCategoriesType categories = UserProfile.Categories();
  // A code the application file has no name for has no entry: the user can neither
  // choose nor drop it here, so it stays, after the listed ones.
  std::vector<int> unknown;
  for (int i = 0; i < categories.Count(); ++i) {
    const int value = categories.Item(i);
    if (FindCategoryName(value).empty()) unknown.push_back(value);
  }
  categories.Clear();
  for (int i = 0; i < lstCategory.Count(); ++i)
    if (lstCategory.Selected(i)) categories.Add(FindCategoryValue(TrimLeadingBlanks(lstCategory.Item(i))));
  for (int value : unknown) categories.Add(value);
  MarkUserProfileModified(true);
}

TComPtr<IPageWrapper> ShowPageCategory(TControl& host, std::unique_ptr<TPageCategory>& slot,
                                       const RECT& rect) {
  return ShowSecondaryPage(slot, host, rect, true);
}
