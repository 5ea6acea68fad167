#include "database/report_list.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include "framework/controls/handler_guard.h"

TReportList::TReportList(const QStringList& columns, const std::vector<int>& widths,
                         QWidget* parent)
    : QTreeWidget(parent), widths_(widths), widest_(size_t(columns.size())) {
  setColumnCount(static_cast<int>(columns.size()));
  setHeaderLabels(columns);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setContextMenuPolicy(Qt::DefaultContextMenu);
  header()->setStretchLastSection(true);
  header()->setSectionsMovable(false);
  widths_.resize(size_t(columns.size()), 0);
  fitted_ = widths_;
  FitColumns();
  Fill({}, true);
}

void TReportList::FitColumnTo(int column, const QStringList& texts) {
  widest_.at(size_t(column)) = texts;
  FitColumns();
}

void TReportList::FitColumns() {
  // A cell keeps the focus frame's margin and one pixel on either side of its text.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  for (size_t i = 0; i < widths_.size(); ++i) {
    const int column = static_cast<int>(i);
    int width = std::max(widths_[i], header()->sectionSizeHint(column));
    for (const QString& text : widest_[i])
      width = std::max(width, fontMetrics().horizontalAdvance(text) + 2 * margin);
    fitted_[i] = width;
    setColumnWidth(column, width);
  }
  updateGeometry();
}

QSize TReportList::minimumSizeHint() const {
  int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
  for (const int column : fitted_) // not the last one's stretched width
    width += column;
  return {width, QTreeWidget::minimumSizeHint().height()};
}

void TReportList::changeEvent(QEvent* event) {
  QTreeWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitColumns();
}

void TReportList::Fill(const std::vector<QStringList>& rows, bool reset) {
  const int previous = CurrentRow();
  const QSignalBlocker blocker(this);
  setUpdatesEnabled(false);
  clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()) + 1);
  for (const QStringList& texts : rows)
    items.append(new QTreeWidgetItem(texts));
  items.append(new QTreeWidgetItem()); // the empty row, for adding
  addTopLevelItems(items);
  setUpdatesEnabled(true);
  const int row = reset || previous < 0 ? 0 : std::min(previous, topLevelItemCount() - 1);
  setCurrentItem(topLevelItem(row));
}

int TReportList::Rows() const {
  return std::max(topLevelItemCount() - 1, 0);
}

int TReportList::CurrentRow() const {
  QTreeWidgetItem* item = currentItem();
  return item ? indexOfTopLevelItem(item) : -1;
}

void TReportList::SetCurrentRow(int row) {
  if (QTreeWidgetItem* item = topLevelItem(row)) setCurrentItem(item);
}

void TReportList::ShowPopup(const QPoint& globalPos) {
  if (!PopupMenu) return;
  GuardHandler(this, [&] {
    emit PopupOpening();
    PopupMenu->exec(globalPos);
  });
}

void TReportList::mousePressEvent(QMouseEvent* event) {
  // Only a list that already had the focus opens its menu: the first right press on it
  // just focuses and selects, as a left one would.
  const bool focused = hasFocus();
  QTreeWidget::mousePressEvent(event);
  if (event->button() == Qt::RightButton && focused) {
    if (QTreeWidgetItem* item = itemAt(event->pos())) setCurrentItem(item);
    ShowPopup(event->globalPosition().toPoint());
  }
}

void TReportList::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse opens the menu on the press; the keyboard's menu key opens it here.
  if (event->reason() != QContextMenuEvent::Mouse) ShowPopup(viewport()->mapToGlobal(QPoint(0, 0)));
  event->accept();
}

void TReportList::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton && itemAt(event->pos())) emit EditRequested();
}

void TReportList::keyPressEvent(QKeyEvent* event) {
  if (CurrentRow() >= 0) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      emit EditRequested();
      return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
      emit DeleteRequested();
      return;
    }
    if (event->matches(QKeySequence::Cut)) {
      emit CutRequested();
      return;
    }
    if (event->matches(QKeySequence::Copy)) {
      emit CopyRequested();
      return;
    }
    if (event->matches(QKeySequence::Paste)) {
      emit PasteRequested();
      return;
    }
  }
  QTreeWidget::keyPressEvent(event);
}
