// Last-used records: the values a dialog had at its last OK, which become the defaults
// of its next new command. They live for the run only and are never saved. One record
// per values type; its initial contents are the type's defaults. No Qt here.
#pragma once

#include <functional>

// Puts every record that was used back to its defaults (for tests).
void ResetLastUsedRecords();
void RegisterLastUsedReset(std::function<void()> reset);

// The process-wide record of Values.
template <class Values> Values& LastUsedRecord() {
  static Values record;
  [[maybe_unused]] static const bool registered =
      (RegisterLastUsedReset([] { record = Values{}; }), true);
  return record;
}
