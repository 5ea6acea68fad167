// Checks every record class should pass: it answers for no id above its stated
// LastFieldId (else saving would drop that field), in the record's current state.
#pragma once

#include <gtest/gtest.h>

#include "core/catalog_item.h"
#include "core/editor_mode.h"
#include "core/errors.h"

inline void ExpectNoFieldAboveLastId(TCatalogBaseItem& record) {
  TCatalogVarData d;
  for (int id = record.LastFieldId() + 1; id <= 999; ++id) {
    for (bool forLoad : {false, true}) {
      d.Kind = ckNone;
      record.GetVarData(id, d, forLoad);
      EXPECT_EQ(d.Kind, ckNone) << "field " << id << " lies above LastFieldId "
                                << record.LastFieldId();
    }
  }
}

// A database table's checked accessors: a missing item raises Message outside editor
// mode and is nothing inside it.
template <class List> void ExpectInvalidItemMessage(const char* message) {
  List list;
  list.Append();
  EXPECT_NE(list.GetItemById(1), nullptr);
  try {
    list.GetItemById(2);
    ADD_FAILURE() << "no exception for " << message;
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), message);
  }
  TApplicationTagScope editor(EditorModeTag);
  EXPECT_EQ(list.GetItem(1), nullptr);
}
