#include "database/database_page.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "core/busy_cursor.h"
#include "core/clipboard.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/pickers/list_routines.h"

TFormDataBaseBase::TFormDataBaseBase(QWidget* parent, int helpContext)
    : TFormXelWidget(parent, helpContext) {}

void TFormDataBaseBase::DataModified() {
  if (OnModified) OnModified(*this);
  RefreshEntryControls();
}

void TFormDataBaseBase::BoundValueChanged(QWidget*) {
  DataModified();
}

namespace {

// The list of a page's catalog: a right press binds the line under the mouse before
// the popup menu opens, as a left one would.
class TDataListView : public QListView {
public:
  explicit TDataListView(QWidget* parent) : QListView(parent) {
    setUniformItemSizes(true); // thousands of lines lay out without measuring each
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  }
  std::function<void(const QPoint&)> Popup;

protected:
  void contextMenuEvent(QContextMenuEvent* event) override {
    if (!Popup) return;
    const QModelIndex under = indexAt(event->pos());
    if (event->reason() == QContextMenuEvent::Mouse && under.isValid()) setCurrentIndex(under);
    Popup(event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                      : viewport()->mapToGlobal(QPoint(0, 0)));
  }
};

} // namespace

TFormDataBaseListPage::TFormDataBaseListPage(QWidget* parent, int helpContext,
                                             const TListPageKind& kind)
    : TFormDataBaseBase(parent, helpContext), kind_(kind) {}

TFormDataBaseListPage::~TFormDataBaseListPage() {
  SavePosition();
}

void TFormDataBaseListPage::DataListColumn(TFormBuilder& b, const QString& caption, int width) {
  b.Column([&] {
    b.Label("LabelDataList", caption);
    auto* list = b.Add<TDataListView>("DataList");
    DataList = list;
    DataList->setFixedWidth(width);
    DataList->setMinimumHeight(120);
    ButtonMax = b.Button("ButtonMax", "Max Field Number...");
    ButtonMax->setFixedWidth(width);
  });
  TCatalogModel& model = Model();
  DataList->setModel(&model);
  DataList->setModelColumn(TCatalogModel::LineColumn);
  On(DataList->selectionModel(), &QItemSelectionModel::currentChanged,
     &TFormDataBaseListPage::DataListClick);
  On(ButtonMax, &QPushButton::clicked, &TFormDataBaseListPage::ButtonMaxClick);

  DataListPopupMenu = new QMenu(this);
  DataListPopupMenu->setObjectName("DataListPopupMenu");
  const auto item = [this](const char* name, const QString& caption, const QKeySequence& key,
                           void (TFormDataBaseListPage::*handler)()) {
    auto* action = DataListPopupMenu->addAction(caption);
    action->setObjectName(name);
    // The menu shows the key; the list's own action below answers it, so the key works
    // only while the list has the focus.
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetShortcut);
    On(action, &QAction::triggered, handler);
    if (!key.isEmpty()) {
      auto* keyAction = new QAction(DataList);
      keyAction->setShortcut(key);
      keyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
      DataList->addAction(keyAction);
      On(keyAction, &QAction::triggered, handler);
    }
    return action;
  };
  Menu_DataCopy =
      item("Menu_DataCopy", "&Copy", QKeySequence::Copy, &TFormDataBaseListPage::MenuDataCopyClick);
  Menu_DataPaste = item("Menu_DataPaste", "&Paste", QKeySequence::Paste,
                        &TFormDataBaseListPage::MenuDataPasteClick);
  Menu_DataClear = item("Menu_DataClear", "C&lear", QKeySequence(Qt::Key_Delete),
                        &TFormDataBaseListPage::MenuDataClearClick);
  Menu_DataCut =
      item("Menu_DataCut", "Cu&t", QKeySequence::Cut, &TFormDataBaseListPage::MenuDataCutClick);
  Menu_DataCut->setVisible(false);
  DataListPopupMenu->addSeparator();
  Menu_DataMultiCopy = item("Menu_DataMultiCopy", "&MultiCopy...", QKeySequence(),
                            &TFormDataBaseListPage::MenuDataMultiCopyClick);
  static_cast<TDataListView*>(DataList)->Popup = [this](const QPoint& at) {
    GuardHandler(this, [&] {
      DataListPopup();
      DataListPopupMenu->exec(at);
    });
  };
}

void TFormDataBaseListPage::Start() {
  if (!DataList) return;
  TCatalog* catalog = Catalog();
  // An empty catalog still shows one entry to edit.
  if (catalog && catalog->GetCount() == 0) {
    catalog->GetOrCreate(1);
    Model().CatalogChanged();
  }
  const int rows = Model().rowCount();
  const TListPosition& saved = *kind_.Position;
  {
    const QSignalBlocker blocker(DataList->selectionModel());
    const int row = saved.Selected >= 0 && saved.Selected < rows ? saved.Selected : 0;
    if (rows > 0) DataList->setCurrentIndex(Model().index(row, TCatalogModel::LineColumn));
  }
  pendingTop_ = saved.Top;
  Rebind();
}

void TFormDataBaseListPage::showEvent(QShowEvent* event) {
  TFormDataBaseBase::showEvent(event);
  // The top line can be set only once the list has its height.
  if (pendingTop_ >= 0 && DataList && pendingTop_ < Model().rowCount()) {
    DataList->scrollTo(Model().index(pendingTop_, TCatalogModel::LineColumn),
                       QAbstractItemView::PositionAtTop);
  }
  pendingTop_ = -1;
}

void TFormDataBaseListPage::SavePosition() {
  if (!DataList || !DataList->model()) return;
  const QModelIndex top = DataList->indexAt(QPoint(1, 1));
  kind_.Position->Top = top.isValid() ? top.row() : 0;
  kind_.Position->Selected = std::max(DataList->currentIndex().row(), 0);
}

int TFormDataBaseListPage::BoundRow() const {
  const TCatalog* catalog = Catalog();
  return catalog ? catalog->IndexOf(BoundEntry()) : -1;
}

void TFormDataBaseListPage::Rebind() {
  BindEntry(nullptr);
  DataListClick();
}

void TFormDataBaseListPage::DataListClick() {
  TCatalog* catalog = Catalog();
  if (!DataList) return;
  const int row = DataList->currentIndex().row();
  TCatalogItem* entry = catalog && row >= 0 ? catalog->GetItem(row) : nullptr;
  // The bound entry is looked up in the catalog, never read through: after a paste or a
  // new maximum it may be gone, and only what the catalog holds at this line is bound.
  const TCatalogItem* bound = BoundEntry();
  if (entry && bound && catalog->IndexOf(bound) == row) return;
  if (!entry && !bound) return;
  BindEntry(entry);
  RefreshEntryControls();
  update();
}

void TFormDataBaseListPage::RedrawBoundLine() {
  const int row = BoundRow();
  if (row >= 0) Model().EntryChanged(row);
}

void TFormDataBaseListPage::BoundValueChanged(QWidget* control) {
  RedrawBoundLine();
  TFormDataBaseBase::BoundValueChanged(control);
}

void TFormDataBaseListPage::MoveSelection(int step) {
  if (DataList) SelectRow(DataList->currentIndex().row() + step);
}

void TFormDataBaseListPage::SelectRow(int row) {
  if (DataList && row >= 0 && row < Model().rowCount())
    DataList->setCurrentIndex(Model().index(row, TCatalogModel::LineColumn));
}

int TFormDataBaseListPage::SelectedRow() const {
  return DataList ? DataList->currentIndex().row() : -1;
}

int TFormDataBaseListPage::RowCount() const {
  return Model().rowCount();
}

void TFormDataBaseListPage::SelectPreviousEntry() {
  MoveSelection(-1);
}

void TFormDataBaseListPage::SelectNextEntry() {
  MoveSelection(1);
}

bool TFormDataBaseListPage::CanPaste() const {
  const TCatalogItem* bound = BoundEntry();
  return bound && bound->Id <= MaxPasteId && Clipboard().HasFormat(kind_.Format);
}

void TFormDataBaseListPage::DataListPopup() {
  DataListClick();
  Menu_DataPaste->setEnabled(CanPaste());
  const bool bound = BoundEntry() != nullptr;
  Menu_DataCopy->setEnabled(bound);
  Menu_DataClear->setEnabled(bound);
  Menu_DataMultiCopy->setEnabled(bound);
}

void TFormDataBaseListPage::MenuDataCopyClick() {
  const TCatalog* catalog = Catalog();
  const int row = BoundRow();
  if (!catalog || row < 0) return;
  catalog->CopyToClipboard(kind_.Format, row, 1);
}

void TFormDataBaseListPage::MenuDataPasteClick() {
  TCatalog* catalog = Catalog();
  if (!catalog || !CanPaste()) return;
  const int firstIndex = BoundEntry()->Id - 1;
  const int rows = catalog->GetCount();
  // The paste may free the bound record: forget it first.
  BindEntry(nullptr);
  int pasted = 0;
  {
    TBusyCursor busy;
    pasted = catalog->PasteFromClipboard(kind_.Format, firstIndex);
  }
  if (pasted < 1) {
    Rebind();
    return;
  }
  if (catalog->GetCount() != rows)
    CatalogResized();
  else
    Model().CatalogChanged();
  DataList->setFocus();
  Rebind();
  DataModified();
}

void TFormDataBaseListPage::MenuDataClearClick() {
  TCatalogItem* bound = BoundEntry();
  if (!bound) return;
  bound->Clear();
  RedrawBoundLine();
  DataList->setFocus();
  Rebind();
  DataModified();
}

void TFormDataBaseListPage::MenuDataCutClick() {
  if (!BoundEntry()) return;
  MenuDataCopyClick();
  MenuDataClearClick();
}

void TFormDataBaseListPage::MenuDataMultiCopyClick() {
  TCatalog* catalog = Catalog();
  if (!catalog || !BoundEntry()) return;
  MultiCopyCatalog(this, *catalog, kind_.Format, BoundEntry());
}

void TFormDataBaseListPage::ButtonMaxClick() {
  TCatalog* catalog = Catalog();
  if (!catalog) return;
  int maximum = 0;
  // The entry stays bound while the dialog is open, so the page keeps showing it.
  if (!AskCatalogMaximum(this, *catalog, maximum)) return;
  // The new maximum may delete the bound record: forget it before the catalog changes.
  BindEntry(nullptr);
  SetCatalogMaximum(*catalog, maximum);
  CatalogResized();
  Rebind();
  DataModified();
}

void TFormDataBaseListPage::CatalogResized() {
  const int row = DataList->currentIndex().row();
  {
    const QSignalBlocker blocker(DataList->selectionModel());
    Model().CatalogChanged();
  }
  const int rows = Model().rowCount();
  if (rows == 0) return;
  const QSignalBlocker blocker(DataList->selectionModel());
  const int kept = row >= 0 && row < rows ? row : rows - 1;
  DataList->setCurrentIndex(Model().index(kept, TCatalogModel::LineColumn));
}
