#include "orvanta/CallJournal.h"

#include <windows.h>

#include <cstring>
#include <iterator>

namespace {

TCallJournalBlock* Block() {
  static TCallJournalBlock* block = [] {
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(TCallJournalBlock), kCallJournalName);
    if (!mapping) return static_cast<TCallJournalBlock*>(nullptr);
    // The mapping stays open for the life of the process.
    return static_cast<TCallJournalBlock*>(
        MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(TCallJournalBlock)));
  }();
  return block;
}

}  // namespace

void JournalCall(const char* operation) {
  TCallJournalBlock* block = Block();
  if (!block) return;
  for (unsigned i = 0; i < std::size(kJournalOperations); ++i) {
    if (std::strcmp(kJournalOperations[i], operation) == 0) {
      InterlockedIncrement(&block->counts[i]);
      return;
    }
  }
}
