#include "pages/CacheTime.h"

#include <string>
#include <vector>

#include "agent/Vocabularies.h"

void FillCacheTimes(TComboBox& box) {
  std::vector<std::wstring> texts;
  texts.reserve(kCacheTimeMinutes.size());
  for (int minutes : kCacheTimeMinutes) texts.push_back(std::to_wstring(minutes));
  box.SetItems(texts);
}

int CacheTimeSeconds(const TComboBox& box) {
  const std::wstring text = box.Text();
  if (text.empty() || text.size() > 6 || text.find_first_not_of(L"0123456789") != std::wstring::npos)
    return kDefaultTtlSeconds;
  return std::stoi(text) * 60;
}

void TCacheTimeChoice::Reset(int index) {
  kept_.reset();
  FillCacheTimes(box_);
  box_.SetItemIndex(index);
}

void TCacheTimeChoice::Show(int seconds) {
  kept_.reset();
  int index = -1;
  for (size_t i = 0; i < kCacheTimeMinutes.size(); ++i)
    if (kCacheTimeMinutes[i] * 60 == seconds) index = static_cast<int>(i);
  box_.SetItemIndex(index);
  if (index < 0) kept_ = seconds;
}

int TCacheTimeChoice::Seconds() const { return kept_ ? *kept_ : CacheTimeSeconds(box_); }
