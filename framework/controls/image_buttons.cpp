#include "framework/controls/image_buttons.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

#include "framework/controls/group_frames.h"

namespace {} // namespace

// ---- TImageListEx ----

void TImageListEx::Add(const QImage& image, QColor maskColor) {
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(maskColor.rgb(), Qt::MaskInColor)));
  images_.push_back(pixmap);
}

void TImageListEx::LoadFromStrip(const QImage& strip) {
  Clear();
  if (height_ <= 0) return;
  for (int index = 0; index < strip.height() / height_; ++index) {
    const QImage cell = strip.copy(0, index * height_, width_, height_);
    Add(cell, QColor::fromRgb(cell.pixel(0, height_ - 1)));
  }
}

void TImageListEx::Draw(QPainter& painter, int x, int y, int index, bool enabled) const {
  if (!enabled && DisabledImages) {
    DisabledImages->Draw(painter, x, y, index, true);
    return;
  }
  if (index < 0 || index >= Count()) return;
  const QPixmap& image = images_[static_cast<size_t>(index)];
  if (enabled) {
    painter.drawPixmap(x, y, image);
    return;
  }
  QStyleOption option;
  option.palette = QApplication::palette();
  painter.drawPixmap(x, y,
                     QApplication::style()->generatedIconPixmap(QIcon::Disabled, image, &option));
}

// ---- Placement ----

TButtonPlacement PlaceImageAndCaption(QRect client, QSize image, QSize text, TButtonLayout layout,
                                      int margin, int spacing) {
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  const int clientSize = horizontal ? client.width() : client.height();
  const int imageSize = horizontal ? image.width() : image.height();
  const int textSize = horizontal ? text.width() : text.height();
  if (imageSize == 0 || textSize == 0) spacing = spacing == -1 ? -1 : 0;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (clientSize - imageSize - textSize) / 3;
      spacing = margin;
    } else {
      margin = (clientSize - imageSize - spacing - textSize + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (clientSize - margin - imageSize - textSize) / 2;
  }

  int imageAlong = margin;
  int textAlong = margin + imageSize + spacing;
  if (layout == blGlyphRight || layout == blGlyphBottom) {
    imageAlong = clientSize - margin - imageSize;
    textAlong = imageAlong - spacing - textSize;
  }
  const int crossSize = horizontal ? client.height() : client.width();
  const int imageAcross = (crossSize - (horizontal ? image.height() : image.width()) + 1) / 2;
  const int textAcross = (crossSize - (horizontal ? text.height() : text.width()) + 1) / 2;
  TButtonPlacement placement;
  placement.ImagePos = client.topLeft() + (horizontal ? QPoint(imageAlong, imageAcross)
                                                      : QPoint(imageAcross, imageAlong));
  placement.TextRect = QRect(client.topLeft() + (horizontal ? QPoint(textAlong, textAcross)
                                                            : QPoint(textAcross, textAlong)),
                             text);
  return placement;
}

// ---- TImageButton ----

TImageButton::TImageButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void TImageButton::SetImages(TImageListEx* value) {
  if (value == images_) return;
  images_ = value;
  update();
}

void TImageButton::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  update();
}

void TImageButton::SetLayout(TButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  update();
}

void TImageButton::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  update();
}

void TImageButton::SetMargin(int value) {
  value = std::max(value, -1);
  if (value == margin_) return;
  margin_ = value;
  update();
}

void TImageButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  const bool down = isDown();
  const bool isDefaultButton = isDefault();
  QRect r = rect();
  if (isDefaultButton || hasFocus()) {
    painter.setPen(colors.color(QPalette::WindowText));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  }
  if (down) {
    qDrawPlainRect(&painter, r, colors.color(QPalette::Dark), 1, &colors.brush(QPalette::Button));
    r.adjust(1, 1, -1, -1);
  } else {
    qDrawWinButton(&painter, r, colors, false, &colors.brush(QPalette::Button));
    r = isDefaultButton ? rect().adjusted(1, 1, -1, -1) : r.adjusted(2, 2, -2, -2);
  }
  if (down) r.translate(1, 1);

  const bool hasImage = images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count();
  const QSize imageSize = hasImage ? QSize(images_->Width(), images_->Height()) : QSize();
  const int textFlags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
  const QSize textSize = text().isEmpty() ? QSize() : fontMetrics().size(textFlags, text());
  const TButtonPlacement placement =
      PlaceImageAndCaption(r, imageSize, textSize, layout_, margin_, spacing_);
  if (hasImage)
    images_->Draw(painter, placement.ImagePos.x(), placement.ImagePos.y(), imageIndex_,
                  isEnabled());
  if (!text().isEmpty()) {
    if (isEnabled()) {
      painter.setPen(colors.color(QPalette::ButtonText));
    } else {
      painter.setPen(colors.color(QPalette::Light));
      painter.drawText(placement.TextRect.translated(1, 1), textFlags, text());
      painter.setPen(colors.color(QPalette::Dark));
    }
    painter.drawText(placement.TextRect, textFlags, text());
  }
  if (isDefaultButton && hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(4, 4, -4, -4);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

// ---- TMenuButton ----

TMenuButton::TMenuButton(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  resize(23, 22);
}

void TMenuButton::SetState(TState state) {
  if (state == state_) return;
  state_ = state;
  update();
}

void TMenuButton::SetDown(bool value) {
  down_ = value;
  state_ = value ? bsExclusive : bsUp;
  update();
}

void TMenuButton::SetTransparent(bool value) {
  transparent_ = value;
  setAttribute(Qt::WA_OpaquePaintEvent, !value);
  update();
}

void TMenuButton::SetFlat(bool value) {
  flat_ = value;
  update();
}

void TMenuButton::SetImages(TImageListEx* value) {
  images_ = value;
  update();
}

void TMenuButton::SetImageIndex(int value) {
  imageIndex_ = value;
  update();
}

void TMenuButton::SetDropdownMenu(QMenu* menu) {
  if (dropdownMenu_) disconnect(dropdownMenu_, nullptr, this, nullptr);
  dropdownMenu_ = menu;
  if (menu) connect(menu, &QMenu::aboutToHide, this, &TMenuButton::MenuClosed);
}

void TMenuButton::MenuClosed() {
  SetState(bsUp);
  UpdateTracking();
}

void TMenuButton::UpdateTracking() {
  const bool over = flat_ && isEnabled() && rect().contains(mapFromGlobal(QCursor::pos()));
  if (over == mouseInControl_) return;
  mouseInControl_ = over;
  update();
}

void TMenuButton::Click() {
  if (dropdownMenu_) {
    mouseHeld_ = false;
    dropdownMenu_->popup(mapToGlobal(QPoint(0, height())));
  } else {
    emit Clicked();
  }
  update();
  UpdateTracking();
}

void TMenuButton::paintEvent(QPaintEvent*) {
  if (!isEnabled()) {
    state_ = bsDisabled;
    mouseHeld_ = false;
  } else if (state_ == bsDisabled) {
    state_ = down_ ? bsExclusive : bsUp;
  }
  QPainter painter(this);
  const QPalette& colors = palette();
  const QColor face = colors.color(QPalette::Button);
  const QColor shadow = colors.color(QPalette::Dark);
  const QColor highlight = colors.color(QPalette::Light);
  const bool pushed = state_ == bsDown || state_ == bsExclusive;
  QRect r = rect();
  if (flat_) {
    if (pushed || (mouseInControl_ && isEnabled())) {
      if (!transparent_) painter.fillRect(r, face);
      if (pushed)
        DrawFrame3D(painter, r, shadow, highlight, 1);
      else
        DrawFrame3D(painter, r, highlight, shadow, 1);
    } else if (!transparent_) {
      painter.fillRect(r, face);
    }
  } else {
    qDrawWinButton(&painter, r, colors, pushed, &colors.brush(QPalette::Button));
  }
  r.adjust(1, 1, -1, -1);
  if (state_ == bsExclusive && (!flat_ || !mouseInControl_)) {
    painter.fillRect(r, face);
    painter.fillRect(r, QBrush(highlight, Qt::Dense4Pattern));
  }
  if (pushed) r.translate(1, 1);
  if (images_)
    images_->Draw(painter, r.left() + (r.width() - images_->Width()) / 2,
                  r.top() + (r.height() - images_->Height()) / 2, imageIndex_, isEnabled());
}

bool TMenuButton::HeldInside(QPoint at) const {
  // The row just below the button still counts as on it.
  return at.x() >= 0 && at.x() < width() && at.y() >= 0 && at.y() <= height();
}

void TMenuButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !isEnabled()) return;
  if (dropdownMenu_) {
    SetState(bsDown);
    Click();
    return;
  }
  if (!down_) SetState(bsDown);
  mouseHeld_ = true;
}

void TMenuButton::mouseMoveEvent(QMouseEvent* event) {
  if (!mouseHeld_) return;
  SetState(down_ ? bsExclusive : HeldInside(event->position().toPoint()) ? bsDown : bsUp);
}

void TMenuButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !mouseHeld_) return;
  mouseHeld_ = false;
  SetState(bsUp);
  if (HeldInside(event->position().toPoint()))
    Click();
  else if (down_)
    SetState(bsExclusive);
}

void TMenuButton::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  if (event->button() == Qt::LeftButton && down_) emit DblClick();
}

void TMenuButton::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (!flat_ || !isEnabled() || QWidget::mouseGrabber()) return;
  mouseInControl_ = true;
  update();
}

void TMenuButton::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (!flat_ || !mouseInControl_) return;
  mouseInControl_ = false;
  if (!mouseHeld_) update();
}

void TMenuButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    UpdateTracking();
    update();
  }
  QWidget::changeEvent(event);
}
