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

class QWidget;

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
// Asks for a new number of entries in "Data Maximum (30,000)", placed at (dx, dy) from
// Owner's client origin and showing Count; a smaller one is confirmed first. True and the
// new number in Count when the author chose OK.
bool AskDataMaximum(QWidget* owner, int dx, int dy, int& count);
// Asks for a new highest id for Page's catalog (a lower one after a warning). True and
// the id in Maximum when the author confirmed; the catalog is not touched yet.
bool AskCatalogMaximum(QWidget* page, const TCatalog& catalog, int& maximum);
// Brings the catalog to the highest id Maximum: default entries are added up to it, those
// above it deleted; a catalog left empty gets a default entry 1 at once.
void SetCatalogMaximum(TCatalog& catalog, int maximum);
// Both of the above. True when the author confirmed.
bool ChangeCatalogMaximum(QWidget* page, QListWidget* list, TCatalog& catalog, TCatalogLine line);
// The same for a list that follows the catalog by itself (a view of its model).
bool ChangeCatalogMaximum(QWidget* page, TCatalog& catalog);
// Asks how many entries from the current one on to copy to the clipboard under Format.
// True when entries were copied.
bool MultiCopyCatalog(QWidget* page, QListWidget* list, TCatalog& catalog, uint32_t format,
                      const TCatalogItem* currentEntry, TCatalogLine line);
bool MultiCopyCatalog(QWidget* page, const TCatalog& catalog, uint32_t format,
                      const TCatalogItem* currentEntry);
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
