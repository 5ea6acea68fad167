#include "framework/pickers/list_routines.h"

#include <QSignalBlocker>
#include <algorithm>

#include "core/busy_cursor.h"
#include "framework/controls/controls2_messages.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

// A copy of more entries than a paste could ever place is refused by the dialog.
constexpr int MaxMultiCopy = 5000;

// The highest id of the catalog: its count for the dense database lists.
int LastId(const TCatalog& catalog) {
  const TCatalogItem* last = catalog.GetItem(catalog.GetCount() - 1);
  return last ? last->Id : 0;
}

QWidget* PageOwner(QWidget* page) {
  return page ? page->window() : nullptr;
}

// The page's left edge in its owner window's client co-ordinates.
int PageLeft(QWidget* page) {
  QWidget* owner = PageOwner(page);
  return page && owner && owner != page ? page->mapTo(owner, QPoint(0, 0)).x() : 0;
}

// The two count dialogs: a group with DialEdit1, "&Ok" and "Cancel". Count is what the
// caller hands in and takes back after OK.
class TFormDataCount : public TFormXelBase {
public:
  int Count = 0;
  int CallerData() const { return Count; }

  void FormShow() override {
    count_ = Count;
    UpdateControls();
  }
  void ButtonOkClick() override {
    Count = count_;
    done(mrOk);
  }

protected:
  TFormDataCount(QWidget* owner, const char* name, const char* caption, const char* group,
                 int minValue, int maxValue)
      : TFormXelBase(owner) {
    TFormBuilder b(this, name, QString::fromLatin1(caption), 217, 73);
    b.Row([&] {
      b.Group("GroupBox1", QString::fromLatin1(group),
              [&] { DialEdit1 = b.DialEdit("DialEdit1", minValue, maxValue, &count_); });
      b.ButtonColumn(false);
    });
  }

  int count_ = 1;
  TDialEdit* DialEdit1;
};

// "Data Maximum (30,000)": the new number of entries, -10 .. 30000. A smaller count asks
// before it is taken.
class TFormDataMaxChange : public TFormDataCount {
public:
  explicit TFormDataMaxChange(QWidget* owner)
      : TFormDataCount(owner, "FormDataMaxChange", SDataMaxChangeCaption, SDataMaxChangeGroup, -10,
                       30000) {}
  void ButtonOkClick() override {
    if (count_ < Count && ShowMessageBox(QString::fromLatin1(SDataMaxChangeLoss),
                                         MB_YESNO | MB_ICONEXCLAMATION, this) != IDYES)
      return;
    TFormDataCount::ButtonOkClick();
  }
};
VELMORA_REGISTER_FORM(TFormDataMaxChange, TFormGroup::Dialog, 0);

// "Multi Copy": how many entries to copy, 1 .. Maximum.
class TFormDataMultiCopy : public TFormDataCount {
public:
  explicit TFormDataMultiCopy(QWidget* owner)
      : TFormDataCount(owner, "FormDataMultiCopy", SDataMultiCopyCaption, SDataMultiCopyGroup, 1,
                       MaxMultiCopy) {}
  int Maximum = 1;
  void FormShow() override {
    DialEdit1->SetMaxValue(Maximum);
    TFormDataCount::FormShow();
  }
};
VELMORA_REGISTER_FORM(TFormDataMultiCopy, TFormGroup::Dialog, 0);

} // namespace

QString FormatCatalogLine(int id, const std::string& name) {
  return QStringLiteral("%1:").arg(id, 4, 10, QLatin1Char('0')) + ToQString(name);
}

int ListTopIndex(const QListWidget* list) {
  const QModelIndex top = list->indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : 0;
}

void SetListTopIndex(QListWidget* list, int topIndex) {
  if (topIndex < 0 || topIndex >= list->count()) return;
  list->scrollToItem(list->item(topIndex), QAbstractItemView::PositionAtTop);
}

void RefillCatalogList(QListWidget* list, TCatalog& catalog, TCatalogLine line) {
  TBusyCursor busy;
  if (catalog.GetCount() == 0) catalog.GetOrCreate(1);
  const int top = ListTopIndex(list);
  const int selected = list->currentRow();
  // The page binds its entry itself afterwards; a refill is no click on the list.
  const QSignalBlocker blocker(list);
  list->setUpdatesEnabled(false);
  list->clear();
  QStringList lines;
  lines.reserve(catalog.GetCount());
  for (int k = 0; k < catalog.GetCount(); ++k)
    lines << line(catalog, k);
  list->addItems(lines);
  list->setUpdatesEnabled(true);
  list->setCurrentRow(selected >= 0 && selected < list->count() ? selected : list->count() - 1);
  SetListTopIndex(list, top);
}

void RestoreListPosition(QListWidget* list, int topIndex, int itemIndex) {
  SetListTopIndex(list, topIndex);
  const QSignalBlocker blocker(list);
  list->setCurrentRow(itemIndex >= 0 && itemIndex < list->count() ? itemIndex : 0);
}

bool AskDataMaximum(QWidget* owner, int dx, int dy, int& count) {
  TFormDataMaxChange dialog(owner);
  dialog.Count = count;
  if (!dialog.ExecuteAt(dx, dy)) return false;
  count = dialog.Count;
  return true;
}

bool AskCatalogMaximum(QWidget* page, const TCatalog& catalog, int& maximum) {
  maximum = LastId(catalog);
  if (!AskDataMaximum(PageOwner(page), PageLeft(page) + 14, 410, maximum)) return false;
  if (page) page->repaint();
  return true;
}

void SetCatalogMaximum(TCatalog& catalog, int maximum) {
  TBusyCursor busy;
  // By id, so that a list with gaps ends exactly at the chosen id.
  for (int id = LastId(catalog) + 1; id <= maximum; ++id)
    catalog.GetOrCreate(id);
  while (catalog.GetCount() > 0 && LastId(catalog) > maximum)
    catalog.DeleteById(LastId(catalog));
  // A list always keeps one entry to bind: none left brings back a default entry 1 now,
  // not at the next refill.
  if (catalog.GetCount() == 0) catalog.GetOrCreate(1);
}

bool ChangeCatalogMaximum(QWidget* page, TCatalog& catalog) {
  int maximum = 0;
  if (!AskCatalogMaximum(page, catalog, maximum)) return false;
  SetCatalogMaximum(catalog, maximum);
  return true;
}

bool ChangeCatalogMaximum(QWidget* page, QListWidget* list, TCatalog& catalog, TCatalogLine line) {
  if (!ChangeCatalogMaximum(page, catalog)) return false;
  RefillCatalogList(list, catalog, line);
  return true;
}

bool MultiCopyCatalog(QWidget* page, const TCatalog& catalog, uint32_t format,
                      const TCatalogItem* currentEntry) {
  const int index = catalog.IndexOf(currentEntry);
  if (index < 0) return false;
  TFormDataMultiCopy dialog(PageOwner(page));
  // The entries from the current one to the end of the list.
  dialog.Maximum = std::min(catalog.GetCount() - index, MaxMultiCopy);
  dialog.Count = dialog.Maximum;
  if (!dialog.ExecuteAt(PageLeft(page) + 14, 32)) return false;
  if (page) page->repaint();
  TBusyCursor busy;
  catalog.CopyToClipboard(format, index, std::clamp(dialog.Count, 1, dialog.Maximum));
  return true;
}

bool MultiCopyCatalog(QWidget* page, QListWidget* list, TCatalog& catalog, uint32_t format,
                      const TCatalogItem* currentEntry, TCatalogLine line) {
  if (!MultiCopyCatalog(page, catalog, format, currentEntry)) return false;
  RefillCatalogList(list, catalog, line);
  return true;
}

void RedrawListLine(QListWidget* list, const TCatalog& catalog, TCatalogLine line) {
  // Qt repaints just the changed line by itself.
  const int row = list->currentRow();
  if (QListWidgetItem* item = list->item(row)) item->setText(line(catalog, row));
}
