// A grid of equal push buttons made from a list of captions, run column by column, with
// arrow-key navigation, Space and Enter to press the current button, and a state per
// button (normal, pressed, disabled). The command palettes and the move-route editor's
// command buttons are built from it.
#pragma once

#include <QRect>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "framework/controls/cancel_mode.h"

// The grid's arithmetic: Columns x Rows cells of ButtonWidth x ButtonHeight, filled down
// the first column, then down the next.
struct TButtonGrid {
  int Columns = 0;
  int Rows = 0;
  int ButtonWidth = 80;
  int ButtonHeight = 24;
  int Count = 0;

  // Empty when the grid has no cell.
  QRect ButtonRect(int index) const;
  // -1 outside the client area, outside the cells, or on a cell past the last button.
  int ButtonAtPos(QPoint point, QSize clientSize) const;
  // The button an arrow key moves to from Current; Current when the move leaves the grid
  // or lands on a cell without a button.
  int Step(int current, int key) const;
};

class TButtonList : public QWidget {
  Q_OBJECT
public:
  enum TBorderStyle { bsNone, bsSingle };
  enum TButtonState : uint8_t { bsNormal = 0, bsPressed = 1, bsDisabled = 2 };

  explicit TButtonList(QWidget* parent = nullptr);

  const QStringList& Items() const { return items_; }
  void SetItems(const QStringList& items);
  int ButtonWidth() const { return grid_.ButtonWidth; }
  void SetButtonWidth(int value);
  int ButtonHeight() const { return grid_.ButtonHeight; }
  void SetButtonHeight(int value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);

  int Columns() const { return grid_.Columns; }
  int Rows() const { return grid_.Rows; }
  int FocusedButton() const { return current_; }
  void SetFocusedButton(int index);
  void EnableButton(int index, bool enabled);
  TButtonState ButtonState(int index) const;
  QRect ButtonRect(int index) const;
  int ButtonAtPos(QPoint point) const;

  QSize sizeHint() const override;

signals:
  void ButtonClick(int index);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  void Layout();
  void SetState(int index, TButtonState state);
  void Click();
  // Ends a mouse or Space press without a click.
  void CancelMode();
  int BorderWidth() const { return borderStyle_ == bsSingle ? 2 : 0; }
  // Client co-ordinates: inside the border.
  QPoint ToClient(QPointF position) const;

  QStringList items_;
  std::vector<TButtonState> states_;
  TButtonGrid grid_;
  bool autoSize_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  int current_ = 0;
  bool captured_ = false;
  bool spacePressed_ = false;
  TCancelModeWatcher cancelModeWatcher_{this, [this] { CancelMode(); }};
};
