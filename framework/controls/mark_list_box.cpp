#include "framework/controls/mark_list_box.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <array>

namespace {

constexpr int MarkBoxSize = 11;
constexpr int GlyphSize = 7;

// Seven rows of seven pixels each, the top bit the leftmost: the letters A to E for the
// ranks and a tick for the check mark.
constexpr std::array<std::array<uint8_t, GlyphSize>, MarkGlyphCount> GlyphRows = {{
    {0x1C, 0x22, 0x22, 0x3E, 0x22, 0x22, 0x22}, // A
    {0x3C, 0x22, 0x22, 0x3C, 0x22, 0x22, 0x3C}, // B
    {0x1C, 0x22, 0x20, 0x20, 0x20, 0x22, 0x1C}, // C
    {0x3C, 0x22, 0x22, 0x22, 0x22, 0x22, 0x3C}, // D
    {0x3E, 0x20, 0x20, 0x3C, 0x20, 0x20, 0x3E}, // E
    {0x01, 0x03, 0x46, 0x6C, 0x38, 0x10, 0x00}, // tick
}};

// Draws the mark cell and the line's text; the cell never takes the selection colour,
// and only the line with the focus is highlighted.
class TMarkItemDelegate : public QStyledItemDelegate {
public:
  explicit TMarkItemDelegate(TMarkListBox* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), option.fontMetrics.height()};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QPalette& colors = option.palette;
    const QRect cell(option.rect.left(), option.rect.top(), MarkCellWidth, option.rect.height());
    painter->fillRect(cell, colors.color(QPalette::Base));
    const QRect box(cell.left() + (MarkCellWidth - MarkBoxSize) / 2,
                    cell.top() + (cell.height() - MarkBoxSize) / 2, MarkBoxSize, MarkBoxSize);
    painter->setPen(colors.color(QPalette::Dark));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(box.adjusted(0, 0, -1, -1));
    const int mark = list_->Marks(index.row());
    // A rank outside the five rank glyphs shows no mark.
    const bool rank = list_->Mode() == TMarkListBox::mmRank;
    const int glyph =
        rank ? (mark >= 0 && mark < CheckMarkGlyph ? mark : -1) : (mark != 0 ? CheckMarkGlyph : -1);
    if (glyph >= 0) painter->drawImage(box.left() + 2, box.top() + 2, MarkGlyph(glyph));

    const QRect item = option.rect.adjusted(MarkCellWidth, 0, 0, 0);
    const bool focused = option.state.testFlag(QStyle::State_HasFocus);
    painter->fillRect(item, colors.color(focused ? QPalette::Highlight : QPalette::Base));
    painter->setPen(colors.color(focused ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(item.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    if (focused) {
      QStyleOptionFocusRect focus;
      focus.rect = item;
      focus.state = option.state;
      focus.palette = colors;
      focus.backgroundColor = colors.color(QPalette::Highlight);
      list_->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, list_);
    }
  }

private:
  TMarkListBox* list_;
};

} // namespace

QImage MarkGlyph(int index) {
  if (index < 0 || index >= MarkGlyphCount) return {};
  QImage glyph(GlyphSize, GlyphSize, QImage::Format_ARGB32);
  glyph.fill(Qt::transparent);
  for (int y = 0; y < GlyphSize; ++y)
    for (int x = 0; x < GlyphSize; ++x)
      if (GlyphRows[static_cast<size_t>(index)][static_cast<size_t>(y)] & (0x40 >> x))
        glyph.setPixel(x, y, qRgb(0, 0, 0));
  return glyph;
}

TMarkListBox::TMarkListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new TMarkItemDelegate(this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void TMarkListBox::SetMode(TMarkMode value) {
  if (value == mode_) return;
  mode_ = value;
  viewport()->update();
}

int TMarkListBox::Marks(int index) const {
  if (marks_.size() < static_cast<size_t>(count())) marks_.resize(static_cast<size_t>(count()), 0);
  if (index < 0 || index >= count()) return 0;
  return marks_[static_cast<size_t>(index)];
}

void TMarkListBox::SetMarks(int index, int value) {
  if (index < 0 || index >= count() || Marks(index) == value) return;
  marks_[static_cast<size_t>(index)] = value;
  RepaintMark(index);
}

void TMarkListBox::SetChecked(int index, bool value) {
  if (Checked(index) != value) SetMarks(index, value ? 1 : 0);
}

void TMarkListBox::ChangeMark(int index, bool forward) {
  if (index < 0 || index >= count()) return;
  const long long mark = Marks(index);
  if (mode_ == mmRank)
    SetMarks(index, static_cast<int>(forward ? (mark + 1) % 5 : (mark + 4) % 5));
  else
    SetMarks(index, mark != 0 ? 0 : 1);
  emit ClickMark(index);
}

int TMarkListBox::ItemAtPos(QPoint point) const {
  const QModelIndex index = indexAt(point);
  return index.isValid() ? index.row() : -1;
}

void TMarkListBox::RepaintMark(int index) {
  QRect cell = visualRect(model()->index(index, 0));
  cell.setWidth(MarkCellWidth);
  viewport()->repaint(cell);
}

void TMarkListBox::mousePressEvent(QMouseEvent* event) {
  // The right button selects nothing here; it only steps a mark.
  if (event->button() != Qt::RightButton) QListWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  const QPoint at = event->position().toPoint();
  const int row = ItemAtPos(at);
  if (row < 0) return;
  if (at.x() - visualRect(model()->index(row, 0)).left() < MarkCellWidth)
    ChangeMark(row, event->button() == Qt::RightButton);
}

void TMarkListBox::keyPressEvent(QKeyEvent* event) {
  QListWidget::keyPressEvent(event);
  if (event->key() == Qt::Key_Space) ChangeMark(currentRow(), false);
}
