#include "framework/controls/list_boxes.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStylePainter>

#include <QStyledItemDelegate>

namespace {

constexpr int IconItemHeight = 16;
constexpr int GlyphSize = 14;
constexpr int SwatchItemHeight = 14;

// Fills the line (highlighted when selected) and hands the painter back for the rest.
void FillItem(QPainter* painter, const QStyleOptionViewItem& option) {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  painter->fillRect(option.rect,
                    option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
  painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
}

class TIconItemDelegate : public QStyledItemDelegate {
public:
  explicit TIconItemDelegate(TIconListBox* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), IconItemHeight};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    FillItem(painter, option);
    const QRect& r = option.rect;
    painter->drawPixmap(r.left() + 1, r.top() + 1, list_->Glyph());
    painter->setFont(option.font);
    painter->drawText(QRect(r.left() + 16, r.top() + list_->TextOffset(), r.width() - 16,
                            r.height() - list_->TextOffset()),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
  }

private:
  TIconListBox* list_;
};

void DrawSwatch(QPainter* painter, QRect r, const QString& text) {
  painter->setPen(Qt::black);
  painter->setBrush(ColorFromColorNumber(text));
  r.adjust(2, 2, -2, -2);
  painter->drawRect(r.adjusted(0, 0, -1, -1));
}

class TSwatchItemDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), SwatchItemHeight};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    FillItem(painter, option);
    DrawSwatch(painter, option.rect, index.data(Qt::DisplayRole).toString());
  }
};

} // namespace

// ---- TSmartListBox ----

TSmartListBox::TSmartListBox(QWidget* parent) : QListWidget(parent) {
  // The list opens its own menu on the button's release.
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void TSmartListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) {
    QListWidget::mousePressEvent(event);
    return;
  }
  if (rightPressed_) return;
  setFocus(Qt::MouseFocusReason);
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && index.row() != currentRow()) {
    setCurrentRow(index.row());
    emit Click();
  }
  rightPressed_ = true;
}

void TSmartListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) {
    QListWidget::mouseReleaseEvent(event);
    return;
  }
  if (!rightPressed_) return;
  rightPressed_ = false;
  const QPoint at = event->position().toPoint();
  if (viewport()->rect().contains(at) && popupMenu_ && AutoPopup)
    popupMenu_->popup(viewport()->mapToGlobal(at));
}

// ---- TIconListBox ----

TIconListBox::TIconListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new TIconItemDelegate(this));
  setUniformItemSizes(true);
}

void TIconListBox::SetGlyph(const QPixmap& glyph) {
  glyph_ =
      glyph.copy(0, 0, std::min(glyph.width(), GlyphSize), std::min(glyph.height(), GlyphSize));
  viewport()->update();
}

void TIconListBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange)
    textOffset_ = (IconItemHeight - QFontMetrics(font()).height()) / 2;
  QListWidget::changeEvent(event);
}

// ---- TColorPicker ----

QColor ColorFromColorNumber(const QString& text) {
  bool ok = false;
  const long long number = text.trimmed().toLongLong(&ok);
  if (!ok) return Qt::black;
  const auto value = static_cast<unsigned long long>(number);
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

TColorPicker::TColorPicker(QWidget* parent) : QComboBox(parent) {
  setItemDelegate(new TSwatchItemDelegate(this));
  setFocusPolicy(Qt::StrongFocus);
  resize(121, 20);
}

void TColorPicker::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  if (currentIndex() < 0) return;
  const QRect field =
      style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  // The edit part grows by a pixel before the swatch takes its own two off.
  DrawSwatch(&painter, field.adjusted(-1, -1, 1, 1), currentText());
}
