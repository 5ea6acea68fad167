// The id combos every form shares: what a stored id shows, and what the field holds
// after the author picks a line.
#include <QComboBox>
#include <gtest/gtest.h>

#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/harness/widget_harness.h"

namespace {

class TComboHost : public TFormXelWidget {
public:
  TComboHost(const TIdChoices& choices, int id) : id_(id) {
    TFormBuilder b(this, "FormComboHost", "Combo", 200, 60);
    Combo = IdCombo(b, "ComboBox1", choices, &id_);
  }
  QComboBox* Combo;
  int Id() const { return id_; }

private:
  int id_;
};

TIdChoices Explicit() {
  TIdChoices choices;
  for (int32_t id : {10001, 10005, 7})
    choices.Add(QString::number(id), id);
  choices.Fallback = 10005;
  return choices;
}

TIdChoices BelowFirst() {
  TIdChoices choices = OffsetChoices({"a", "b", "c"}, 1);
  choices.BelowShowsFirst = true;
  return choices;
}

TEST(IdCombo, StoredIdsShowAsTheChoicesSay) {
  struct TRow {
    const char* label;
    TIdChoices choices;
    int stored;
    int shownLine;
    int kept; // the field after showing
  };
  const TRow rows[] = {
      {"catalog", CatalogChoices({"a", "b", "c"}), 3, 2, 3},
      {"catalog beyond", CatalogChoices({"a", "b", "c"}), 9, 0, 1},
      {"catalog below", CatalogChoices({"a", "b", "c"}), 0, 0, 1},
      {"offset", OffsetChoices({"1", "2", "3"}, 1), 2, 1, 2},
      {"offset beyond", OffsetChoices({"1", "2", "3"}, 1), 9, -1, 9},
      {"offset below", OffsetChoices({"1", "2", "3"}, 1), 0, -1, 0},
      {"below shows first", BelowFirst(), -4, 0, -4},
      {"explicit", Explicit(), 7, 2, 7},
      {"explicit unlisted", Explicit(), 8, 1, 10005},
  };
  for (const TRow& row : rows) {
    TComboHost host(row.choices, row.stored);
    host.UpdateControls();
    EXPECT_EQ(host.Combo->currentIndex(), row.shownLine) << row.label;
    EXPECT_EQ(host.Id(), row.kept) << row.label;
  }
}

TEST(IdCombo, APickedLineStoresItsId) {
  TComboHost offset(OffsetChoices({"1", "2", "3"}, 4), 9);
  offset.Combo->setCurrentIndex(2);
  EXPECT_EQ(offset.Id(), 6);
  TComboHost chosen(Explicit(), 7);
  chosen.Combo->setCurrentIndex(0);
  EXPECT_EQ(chosen.Id(), 10001);
}

} // namespace
