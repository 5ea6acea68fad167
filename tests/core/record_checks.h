// Checks every record class should pass: it answers for no id above its stated
// LastFieldId (else saving would drop that field), in the record's current state.
#pragma once

#include <gtest/gtest.h>

#include "core/catalog_item.h"

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
