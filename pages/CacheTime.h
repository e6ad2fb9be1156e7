// The cache time (time to live) of the domain and of its records, as the pages offer
// it: a drop-down list of the minute values of kCacheTimeMinutes, written as decimal
// texts ("1", "5", ...), while the documents store seconds. A stored time is shown by
// selecting its entry; the stored value is the selected entry's minutes times 60, or
// 60 when no entry is selected.
//
// A stored time that is none of the choices (150 seconds, set elsewhere) selects no
// entry and is kept as it is until the user picks a cache time, so that editing
// another field of a record never rewrites its time to live.
#pragma once
#include <optional>

#include "toolkit/ComboBox.h"

// Seconds stored when no cache time is selected.
inline constexpr int kDefaultTtlSeconds = 60;

// Replaces the entries of `box` with the choices; nothing is selected.
void FillCacheTimes(TComboBox& box);
// The selected entry's whole minutes times 60; kDefaultTtlSeconds when the box's text
// is no whole number (nothing selected).
int CacheTimeSeconds(const TComboBox& box);

// One cache-time box of a page and the stored time it shows.
class TCacheTimeChoice {
 public:
  explicit TCacheTimeChoice(TComboBox& box) : box_(box) {}

  // Refills the box and selects entry `index` (-1: none); no stored time is kept.
  void Reset(int index);
  // Shows a stored time: selects its entry, or none when it is none of the choices,
  // and then keeps it.
  void Show(int seconds);
  // The user picked a cache time: from now on the box's entry counts.
  void Picked() { kept_.reset(); }
  // The seconds to store: the kept time, else the box's.
  int Seconds() const;

 private:
  TComboBox& box_;
  std::optional<int> kept_;
};
