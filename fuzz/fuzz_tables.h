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

// One list per input: the first byte picks the check that gets the rest. Each run stays
// cheap, and the fuzzer soon learns which byte leads where.
using TListCheck = void (*)(const Bytes& data);
template <size_t N>
void RunSelectedCheck(const TListCheck (&checks)[N], const uint8_t* data, size_t size) {
  if (size == 0) return;
  checks[data[0] % N](Bytes(data + 1, data + size));
}
// The seeds of the checks, the list seed of each in the checks' order, and two tiny
// inputs for each, with the byte that picks the check put before them.
inline std::vector<Bytes> SeedsForChecks(const std::vector<Bytes>& lists) {
  std::vector<Bytes> seeds;
  for (size_t i = 0; i < lists.size(); ++i)
    for (Bytes seed : {lists[i], Bytes{0x00}, Bytes{0x01, 0x01, 0x00}}) {
      seed.insert(seed.begin(), static_cast<uint8_t>(i));
      seeds.push_back(std::move(seed));
    }
  return seeds;
}

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
