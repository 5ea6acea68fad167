// The catalog models behind the command dialogs' combo boxes and lists: one model per catalog,
// shared by every open view, which follows renames and new numbers of entries.
#include <QListView>

#include "events/command_rows.h"
#include "framework/forms/catalog_model.h"

namespace {

// The line of a list as it shows it.
QString Listed(const QListView* list, int row) {
  return list->model()->index(row, list->modelColumn()).data().toString();
}

TEST_F(CommandDialogs, ARenameReachesTheOpenCombosAndLists) {
  auto form = Open(10320, Map, "");
  auto shop = Open(10720, Map, "");
  auto* combo = FindControl<QComboBox>(form.get(), "ComboBox1");
  auto* goods = FindControl<QListView>(shop.get(), "ListBox2");
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(2), "Item3");
  EXPECT_EQ(Listed(goods, 2), "Item3");
  database.Items().FindById(3)->Name = "Potion";
  CatalogsChanged();
  EXPECT_EQ(combo->itemText(2), "Potion");
  EXPECT_EQ(Listed(goods, 2), "Potion");
  // The model's own line and roles.
  const QModelIndex line = ItemModel().index(2, TCatalogModel::LineColumn);
  EXPECT_EQ(line.data().toString(), "0003:Potion");
  EXPECT_EQ(line.data(TCatalogModel::NameRole).toString(), "Potion");
  EXPECT_EQ(line.data(TCatalogModel::IdRole).toInt(), 3);
}

TEST_F(CommandDialogs, AShorterCatalogShortensEveryOpenView) {
  for (int32_t id = 4; id <= 5000; ++id)
    database.Items().GetOrCreate(id);
  CatalogsChanged();
  auto items = Open(10320, Map, "");
  auto operand = Open(10220, Map, "");
  auto shop = Open(10720, Map, "");
  auto* first = FindControl<QComboBox>(items.get(), "ComboBox1");
  auto* second = FindControl<QComboBox>(operand.get(), "ComboBoxC5A");
  const QAbstractItemModel* goods = FindControl<QListView>(shop.get(), "ListBox2")->model();
  EXPECT_EQ(first->count(), 5000);
  EXPECT_EQ(second->count(), 5000);
  EXPECT_EQ(goods->rowCount(), 5000);
  for (int32_t id = 5000; id > 10; --id)
    database.Items().DeleteById(id);
  CatalogsChanged();
  EXPECT_EQ(first->count(), 10);
  EXPECT_EQ(second->count(), 10);
  EXPECT_EQ(goods->rowCount(), 10);
  EXPECT_EQ(ItemModel().rowCount(), 10);
}

TEST_F(CommandDialogs, ANewDatabaseIsFollowedWhenAFormTakesTheModel) {
  auto form = Open(10320, Map, "");
  EXPECT_EQ(FindControl<QComboBox>(form.get(), "ComboBox1")->count(), 3);
  form.reset();
  {
    TXelDataBase other;
    other.Items().GetOrCreate(1)->Name = "Only";
    auto again = Open(10320, Map, "");
    auto* combo = FindControl<QComboBox>(again.get(), "ComboBox1");
    EXPECT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), "Only");
  }
}

} // namespace
