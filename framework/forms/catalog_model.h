// The entries of a database catalog as one item model, shared by every combo box and list
// over that catalog: views show it without copying thousands of names each time a form
// opens, and a rename or a new number of entries reaches every open view at once.
//
// Column 0 shows the list line "%.4d:%s" of id and name, column 1 the bare name (what the
// dialogs' combo boxes show, QComboBox::setModelColumn); NameRole and IdRole give the
// name and the id in either. The model reads the catalog when asked, through the
// database's table pointer, so a database loaded again needs no new model.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>

class TCatalog;

class TCatalogModel : public QAbstractTableModel {
  Q_OBJECT
public:
  enum { LineColumn = 0, NameColumn = 1 };
  enum { NameRole = Qt::UserRole + 1, IdRole };

  // Catalog gives the table now in use (none: no rows); Name the name of its entry at an
  // index.
  TCatalogModel(std::function<const TCatalog*()> catalog,
                std::function<std::string(const TCatalog&, int index)> name);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // The catalog changed (entries renamed, their number changed, the database loaded
  // again): views hear rows inserted or removed and every line changed.
  void CatalogChanged();
  // The entry at Row was renamed: its lines show the new name.
  void EntryChanged(int row);
  // Calls CatalogChanged when the database was made, freed or read since the model last
  // looked; done whenever a form takes the model or shows a view of it.
  void FollowDataBase();

private:
  std::function<const TCatalog*()> catalog_;
  std::function<std::string(const TCatalog&, int)> name_;
  // The number of rows the views know of.
  int rows_ = 0;
  unsigned long generation_ = 0;
};

// The model of each catalog, made on first use and kept for the run.
TCatalogModel& HeroModel();
TCatalogModel& SkillModel();
TCatalogModel& ItemModel();
TCatalogModel& MonsterModel();
TCatalogModel& MonsterGroupModel();
TCatalogModel& AttributeModel();
TCatalogModel& ConditionModel();
TCatalogModel& TerrainModel();
TCatalogModel& AnimationModel();
TCatalogModel& ChipSetModel();
TCatalogModel& CommonEventModel();
TCatalogModel& SwitchModel();
TCatalogModel& VariableModel();

// Tells every model made so far that the database changed: after a picker or a page
// renamed entries or changed their number, and after the database was loaded again.
void CatalogsChanged();
