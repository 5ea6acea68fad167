// Small list controls: the database pages' list that selects on a right click before its
// menu opens, the picker lists with a glyph before every line, and the drop-down of
// colour swatches.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPointer>

#include "framework/controls/cancel_mode.h"

class TSmartListBox : public QListWidget {
  Q_OBJECT
public:
  explicit TSmartListBox(QWidget* parent = nullptr);

  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }
  bool AutoPopup = true;

signals:
  // A right click chose another entry; the page shows it.
  void Click();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  QPointer<QMenu> popupMenu_;
  bool rightPressed_ = false;
  TCancelModeWatcher cancelModeWatcher_{this, [this] { rightPressed_ = false; }};
};

// Lines of 16 pixels, each with the same 14 x 14 glyph before its text.
class TIconListBox : public QListWidget {
  Q_OBJECT
public:
  explicit TIconListBox(QWidget* parent = nullptr);

  const QPixmap& Glyph() const { return glyph_; }
  // Cut to 14 x 14.
  void SetGlyph(const QPixmap& glyph);
  int TextOffset() const { return textOffset_; }

protected:
  void changeEvent(QEvent* event) override;

private:
  QPixmap glyph_;
  int textOffset_ = 0;
};

// The colour an item of the colour drop-down shows: its text is the number of a colour
// as 0x00BBGGRR; text that is no number shows black.
QColor ColorFromColorNumber(const QString& text);

class TColorPicker : public QComboBox {
  Q_OBJECT
public:
  explicit TColorPicker(QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;
};
