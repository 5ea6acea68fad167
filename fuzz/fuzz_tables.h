// Loads a list from the input once and runs the target's checks on it: once with no
// database tables, and for lists with per-id arrays once more with small condition and
// attribute tables set, so that the arrays are also cut to a database's counts. A load
// reads no table, so the one load serves both passes, and an input that does not load
// is refused once.
#pragma once

#include "core/attribute_records.h"
#include "core/database_tables.h"
#include "core/errors.h"
#include "tests/core/sample_records.h"

// Check(list, settle) is called with the list as loaded from Data; settle is true while
// the tables are set.
template <class List, class Check>
void CheckLoadedList(const Bytes& data, bool perIdArrays, Check check) {
  List loaded;
  try {
    LoadBytes(loaded, data);
  } catch (const EReadError&) {
    return;
  }
  check(loaded, false);
  if (!perIdArrays) return;
  // Made once: the checks only read their counts.
  static TXelStatus conditions;
  static TXelAttrib attributes;
  if (conditions.GetCount() == 0) {
    conditions.Append();
    conditions.Append();
    attributes.Append();
  }
  StatusList = &conditions;
  AttribList = &attributes;
  check(loaded, true);
  StatusList = nullptr;
  AttribList = nullptr;
}
