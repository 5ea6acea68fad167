#include "database/page_lists.h"

#include <QWidget>

#include "framework/controls/mark_list_box.h"
#include "framework/forms/catalog_model.h"

QStringList ModelNames(TCatalogModel& model) {
  model.FollowDataBase();
  QStringList names;
  const int rows = model.rowCount();
  names.reserve(rows);
  for (int row = 0; row < rows; ++row)
    names << model.data(model.index(row, TCatalogModel::NameColumn)).toString();
  return names;
}

void FillMarkList(TMarkListBox* list, int mode, const QStringList& lines) {
  list->SetMode(static_cast<TMarkListBox::TMarkMode>(mode));
  list->addItems(lines);
  if (list->count() > 0) list->setCurrentRow(0);
}

void ShowIdMarks(TMarkListBox* list, const TIdByteArray& values) {
  for (int line = 0; line < list->count(); ++line)
    list->SetMarks(line, values.Get(line + 1));
}

void StoreIdMarks(const TMarkListBox* list, TIdByteArray& values) {
  values.SetCount(list->count());
  for (int line = 0; line < list->count(); ++line)
    values.Set(line + 1, static_cast<uint8_t>(list->Marks(line)));
}

void ShowKindGroups(const std::vector<QWidget*>& groups, const std::vector<TKindGroup>& table,
                    int kind) {
  for (QWidget* widget : groups)
    for (const TKindGroup& group : table)
      if (widget->objectName() == QLatin1String(group.Name))
        widget->setVisible(group.ShownFor(kind));
}
