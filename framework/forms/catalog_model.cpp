#include "framework/forms/catalog_model.h"

#include <memory>
#include <vector>

#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/chipset_record.h"
#include "core/database_tables.h"
#include "core/hero_records.h"
#include "core/monster_records.h"
#include "core/switch_records.h"
#include "framework/controls/qt_text.h"

TCatalogModel::TCatalogModel(std::function<const TCatalog*()> catalog,
                             std::function<std::string(const TCatalog&, int)> name)
    : catalog_(std::move(catalog)), name_(std::move(name)), generation_(DataBaseGeneration) {
  const TCatalog* now = catalog_();
  rows_ = now ? now->GetCount() : 0;
}

void TCatalogModel::FollowDataBase() {
  if (generation_ == DataBaseGeneration) return;
  generation_ = DataBaseGeneration;
  CatalogChanged();
}

int TCatalogModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int TCatalogModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 2;
}

QVariant TCatalogModel::data(const QModelIndex& index, int role) const {
  const TCatalog* catalog = catalog_();
  // The catalog may have changed before the views were told.
  if (!catalog || !index.isValid() || index.row() >= catalog->GetCount()) return {};
  const TCatalogItem* item = catalog->GetItem(index.row());
  if (!item) return {};
  switch (role) {
  case Qt::DisplayRole: {
    const QString name = ToQString(name_(*catalog, index.row()));
    if (index.column() == NameColumn) return name;
    return QString::asprintf("%.4d:", static_cast<int>(item->Id)) + name;
  }
  case NameRole:
    return ToQString(name_(*catalog, index.row()));
  case IdRole:
    return static_cast<int>(item->Id);
  default:
    return {};
  }
}

void TCatalogModel::CatalogChanged() {
  const TCatalog* catalog = catalog_();
  const int count = catalog ? catalog->GetCount() : 0;
  if (count > rows_) {
    beginInsertRows({}, rows_, count - 1);
    rows_ = count;
    endInsertRows();
  } else if (count < rows_) {
    beginRemoveRows({}, count, rows_ - 1);
    rows_ = count;
    endRemoveRows();
  }
  if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, 1));
}

void TCatalogModel::EntryChanged(int row) {
  if (row >= 0 && row < rows_) emit dataChanged(index(row, 0), index(row, 1));
}

namespace {

std::vector<TCatalogModel*>& Made() {
  static std::vector<TCatalogModel*> models;
  return models;
}

// One model per table pointer, made on first use; it lives for the run.
template <class List> TCatalogModel& ModelOf(List* const& table) {
  static TCatalogModel* model = [&table] {
    auto* made = new TCatalogModel([&table] { return static_cast<const TCatalog*>(table); },
                                   [](const TCatalog& catalog, int index) {
                                     return static_cast<const List&>(catalog).Items(index)->Name;
                                   });
    Made().push_back(made);
    return made;
  }();
  model->FollowDataBase();
  return *model;
}

} // namespace

TCatalogModel& HeroModel() {
  return ModelOf(PlayerList);
}
TCatalogModel& SkillModel() {
  return ModelOf(SkillList);
}
TCatalogModel& ItemModel() {
  return ModelOf(ItemList);
}
TCatalogModel& MonsterModel() {
  return ModelOf(MonsterList);
}
TCatalogModel& MonsterGroupModel() {
  return ModelOf(MonGroupList);
}
TCatalogModel& AttributeModel() {
  return ModelOf(AttribList);
}
TCatalogModel& TerrainModel() {
  return ModelOf(GroundList);
}
TCatalogModel& ConditionModel() {
  return ModelOf(StatusList);
}
TCatalogModel& AnimationModel() {
  return ModelOf(AnimationList);
}
TCatalogModel& ChipSetModel() {
  return ModelOf(ChipSetList);
}
TCatalogModel& CommonEventModel() {
  return ModelOf(CommonEventList);
}
TCatalogModel& SwitchModel() {
  return ModelOf(SwitchList);
}
TCatalogModel& VariableModel() {
  return ModelOf(VariableList);
}

void CatalogsChanged() {
  for (TCatalogModel* model : Made())
    model->CatalogChanged();
}
