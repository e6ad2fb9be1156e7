#include "pages/frameNewsKeys.h"

#include <oleauto.h>

#include <vector>

#include "agent/UnitDef.h"
#include "pages/PageLayout.h"
#include "shell/Common.h"

namespace {

constexpr wchar_t kKeySeparator[] = L", ";

TControlArgs Field(const wchar_t* name, int left, int top, int width, int height, int tabOrder,
                   const wchar_t* caption = L"") {
  return {.name = name, .left = left, .top = top, .width = width, .height = height,
          .caption = caption, .tabOrder = tabOrder};
}

std::wstring JoinKeys(const TXMLSiteKeysType& keys) {
  std::wstring text;
  for (int i = 0; i < keys.Count(); ++i) text += (i ? kKeySeparator : L"") + keys.Item(i);
  return text;
}

// Nothing but blanks, line breaks and other control characters.
bool Blank(const std::wstring& text) {
  for (wchar_t c : text)
    if (c > L' ') return false;
  return true;
}

}  // namespace

std::wstring NewNewsText() {
  wchar_t date[128] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128);
  return std::wstring(date) + L" - ";
}

TPageNewsKeys::TPageNewsKeys(TControl& host)
    : TInfoSheet(host, kClassName, L"PageNewsKeys", kWidth, kHeight),
      BGLabel3(BGPanel1, CaptionArgs(*this, L"BGLabel3", 28, 12, L"站点关键字 - 多个关键字间用英文逗号隔开")),
      edtKeys(BGPanel1, Field(L"edtKeys", 28, 28, 317, 23, 0)),
      BGLabel2(BGPanel1, CaptionArgs(*this, L"BGLabel2", 28, 60, L"站点新闻 - 最上方的最新")),
      lstNews(BGPanel1, Field(L"lstNews", 28, 76, 317, 77, 1), {.itemHeight = 15}),
      udOrder(BGPanel1, Field(L"udOrder", 348, 100, 16, 53, 2),
              {.alignButton = TUDAlignButton::None, .tabStop = true}),
      memoNews(BGPanel1, Field(L"memoNews", 28, 156, 317, 45, 3), {.leaveCtrlEnter = true}),
      btnReplace(BGPanel1, Field(L"btnReplace", 100, 204, 75, 25, 4, L"修改")),
      btnAdd(BGPanel1, Field(L"btnAdd", 184, 204, 75, 25, 5, L"增加")),
      btnDelete(BGPanel1, Field(L"btnDelete", 268, 204, 75, 25, 6, L"删除")),
      chkUpdated(BGPanel1, Field(L"chkUpdated", 16, 240, 185, 17, 7, L"最近站点有过更新")),
      nameOrder(udOrder, L"新闻的顺序"),
      nameNews(memoNews, L"新闻内容") {
  BGLabel3.SetFocusControl(edtKeys);
  BGLabel2.SetFocusControl(lstNews);
  lstNews.OnClick = [this](TControl& s) { lstNewsClick(s); };
  udOrder.OnClick = [this](TUpDown& s, TUDButton b) { udOrderClick(s, b); };
  btnAdd.OnClick = [this](TControl& s) { btnAddClick(s); };
  btnReplace.OnClick = [this](TControl& s) { btnReplaceClick(s); };
  btnDelete.OnClick = [this](TControl& s) { btnDeleteClick(s); };
}

void TPageNewsKeys::Refresh() {
  edtKeys.OnChange = nullptr;
  chkUpdated.OnClick = nullptr;
  edtKeys.Clear();
  lstNews.Clear();
  chkUpdated.SetChecked(false);
  if (UserProfile.Assigned()) {
    edtKeys.SetText(JoinKeys(UserProfile.SiteKeys()));
    const TXMLSiteNewsType news = UserProfile.SiteNews();
    std::vector<std::wstring> newestFirst;
    for (int i = news.Count() - 1; i >= 0; --i) newestFirst.push_back(news.Item(i));
    lstNews.SetItems(newestFirst);
    lstNews.SetItemIndex(0);  // none in an empty list
  }
  lstNewsClick(lstNews);
  edtKeys.OnChange = [this](TControl& s) { edtKeysChange(s); };
  chkUpdated.OnClick = [this](TControl& s) { chkUpdatedClick(s); };
  edtKeys.SetFocus();
  TInfoSheet::Refresh();
}

bool TPageNewsKeys::DialogKey(WPARAM key) {
  // The memo keeps Enter for its lines and hands over Ctrl+Enter only.
  if (key == VK_RETURN && memoNews.Focused() && btnAdd.Enabled()) {
    btnAdd.Click();
    return true;
  }
  return TInfoSheet::DialogKey(key);
}

void TPageNewsKeys::edtKeysChange(TControl&) {
  if (!UserProfile.Assigned()) return;
  std::vector<std::wstring> parts;
  SplitString(edtKeys.Text(), L',', parts);
  TXMLSiteKeysType keys = UserProfile.SiteKeys();
  keys.Clear();
  for (const std::wstring& part : parts) keys.Add(part);
  MarkUserProfileModified(true);
}

void TPageNewsKeys::lstNewsClick(TControl&) {
  const int selected = lstNews.ItemIndex();
  memoNews.SetText(selected >= 0 ? lstNews.Item(selected) : NewNewsText());
}

std::wstring TPageNewsKeys::NewsText() const {
  std::wstring text = memoNews.Text();
  if (!Blank(text)) return text;
  MessageBeep(MB_OK);
  return {};
}

void TPageNewsKeys::btnAddClick(TControl&) {
  const std::wstring text = NewsText();
  if (text.empty()) return;
  lstNews.InsertItem(0, text);
  SaveNews();
}

void TPageNewsKeys::btnReplaceClick(TControl&) {
  const int selected = lstNews.ItemIndex();
  if (selected < 0) return;
  const std::wstring text = NewsText();
  if (text.empty()) return;
  lstNews.SetItem(selected, text);
  SaveNews();
}

void TPageNewsKeys::btnDeleteClick(TControl&) {
  const int selected = lstNews.ItemIndex();
  if (selected < 0) return;
  lstNews.DeleteItem(selected);
  SaveNews();
}

void TPageNewsKeys::udOrderClick(TUpDown&, TUDButton button) {
  const int selected = lstNews.ItemIndex();
  const int target = button == TUDButton::Next ? selected - 1 : selected + 1;
  if (selected >= 0 && target >= 0 && target < lstNews.Count()) {
    const std::wstring text = lstNews.Item(selected);
    lstNews.DeleteItem(selected);
    lstNews.InsertItem(target, text);
    lstNews.SetItemIndex(target);
  }
  SaveNews();
}

void TPageNewsKeys::SaveNews() {
  if (!UserProfile.Assigned()) return;
  TXMLSiteNewsType news = UserProfile.SiteNews();
  news.Clear();
  for (int i = lstNews.Count() - 1; i >= 0; --i) news.Add(lstNews.Item(i));
  MarkUserProfileModified(true);
}

void TPageNewsKeys::chkUpdatedClick(TControl&) {
  if (!chkUpdated.Checked() || !UserProfile.Assigned()) return;
  SYSTEMTIME now{};
  GetSystemTime(&now);
  DATE stamp = 0;
  SystemTimeToVariantTime(&now, &stamp);
  UserProfile.SetHostUpdate(stamp);
  MarkUserProfileModified(true);
}

TComPtr<IPageWrapper> ShowPageNewsKeys(TControl& host, std::unique_ptr<TPageNewsKeys>& slot,
                                       const RECT& rect) {
  return ShowSecondaryPage(slot, host, rect, true);
}
