// Runs a check twice: once with no database tables, once with small condition and
// attribute tables, so that per-id arrays are also cut to a database's counts.
#pragma once

#include "core/attribute_records.h"
#include "core/database_tables.h"

template <class Check> void WithAndWithoutSmallTables(Check check) {
  check(false);
  TXelStatus conditions;
  TXelAttrib attributes;
  conditions.Append();
  conditions.Append();
  attributes.Append();
  StatusList = &conditions;
  AttribList = &attributes;
  check(true);
  StatusList = nullptr;
  AttribList = nullptr;
}
