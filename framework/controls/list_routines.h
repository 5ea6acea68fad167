// What every database page does with its catalog's list box: one "%.4d:%s" line per
// entry, refilling, restoring the position, changing the number of entries, copying
// several entries at once and renewing one line. The names of entries by id come from
// the core.
#pragma once

#include <QListWidget>
#include <QString>
#include <cstdint>
#include <string>

#include "core/catalog.h"
#include "core/database_names.h"
#include "framework/controls/form_xel_base.h"

class QPushButton;
class TDialEdit;

// The list line of an entry: its id in four digits, a colon and its name.
QString FormatCatalogLine(int id, const std::string& name);

// Makes the list line of the entry at a list index; one per kind of catalog.
using TCatalogLine = QString (*)(const TCatalog& catalog, int index);

template <class Item> QString CatalogLineOf(const TCatalog& catalog, int index) {
  const auto* item = static_cast<const Item*>(catalog.GetItem(index));
  return item ? FormatCatalogLine(item->Id, item->Name) : QString();
}

template <class Item> QString CatalogItemLine(const TXelCatalog<Item>& catalog, int index) {
  return CatalogLineOf<Item>(catalog, index);
}

// The first line shown in a list box (0 when it is empty).
int ListTopIndex(const QListWidget* list);
void SetListTopIndex(QListWidget* list, int topIndex);

// Rebuilds the list from the catalog (an empty catalog first gets entry 1), keeping the
// top line and the selection; a selection that no longer exists becomes the last line.
void RefillCatalogList(QListWidget* list, TCatalog& catalog, TCatalogLine line);
// Sets the top line, then the selection; an out-of-range selection selects line 0.
void RestoreListPosition(QListWidget* list, int topIndex, int itemIndex);
// Asks for a new highest id: a higher one adds default entries, a lower one deletes the
// entries above it after a warning. True when the author confirmed.
bool ChangeCatalogMaximum(QWidget* page, QListWidget* list, TCatalog& catalog, TCatalogLine line);
// Asks how many entries from the current one on to copy to the clipboard under Format.
// True when entries were copied.
bool MultiCopyCatalog(QWidget* page, QListWidget* list, TCatalog& catalog, uint32_t format,
                      const TCatalogItem* currentEntry, TCatalogLine line);
// Renews the text of the selected line.
void RedrawListLine(QListWidget* list, const TCatalog& catalog, TCatalogLine line);

template <class Item> void RefillCatalogList(QListWidget* list, TXelCatalog<Item>& catalog) {
  RefillCatalogList(list, catalog, &CatalogLineOf<Item>);
}
template <class Item>
bool ChangeCatalogMaximum(QWidget* page, QListWidget* list, TXelCatalog<Item>& catalog) {
  return ChangeCatalogMaximum(page, list, catalog, &CatalogLineOf<Item>);
}
template <class Item>
bool MultiCopyCatalog(QWidget* page, QListWidget* list, TXelCatalog<Item>& catalog, uint32_t format,
                      const TCatalogItem* currentEntry) {
  return MultiCopyCatalog(page, list, catalog, format, currentEntry, &CatalogLineOf<Item>);
}
template <class Item> void RedrawListLine(QListWidget* list, const TXelCatalog<Item>& catalog) {
  RedrawListLine(list, catalog, &CatalogLineOf<Item>);
}

// The two count dialogs: a group with DialEdit1, "&Ok" and "Cancel".
class TFormDataCount : public TFormXelBase {
  Q_OBJECT
public:
  // In: the value shown at first; out: the chosen one.
  int Count = 0;

  virtual void FormShow();
  virtual void ButtonOkClick();

  TDialEdit* DialEdit1;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;

protected:
  TFormDataCount(QWidget* owner, const char* name, const char* caption, const char* group,
                 int minValue, int maxValue);
  void showEvent(QShowEvent* event) override;
};

// "Data Maximum (30,000)": the new number of entries, -10 .. 30000.
class TFormDataMaxChange : public TFormDataCount {
  Q_OBJECT
public:
  explicit TFormDataMaxChange(QWidget* owner = nullptr);
  // A smaller count asks before it is taken.
  void ButtonOkClick() override;
};

// "Multi Copy": how many entries to copy, 1 .. Maximum.
class TFormDataMultiCopy : public TFormDataCount {
  Q_OBJECT
public:
  explicit TFormDataMultiCopy(QWidget* owner = nullptr);
  int Maximum = 1;
  void FormShow() override;
};
