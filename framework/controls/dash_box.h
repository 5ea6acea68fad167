// A read-only value field with a "..." button: the button, a double click or Space
// emits Clicked, and the owning form opens its picker and writes the result to Text.
#pragma once

#include <QWidget>

#include "framework/controls/inner_button.h"

class TDashButton : public TInnerButton {
  Q_OBJECT
public:
  explicit TDashButton(QWidget* parent);

signals:
  void Clicked();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

class TDashBox : public QWidget {
  Q_OBJECT
public:
  enum TBorderStyle { bsNone, bsSingle };

  explicit TDashBox(QWidget* parent = nullptr);

  QString Text() const { return text_; }
  void SetText(const QString& text);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  TDashButton* Button() const { return button_; }

  virtual void ButtonClick();

  // Room for a database list line ("%.4d:" and a name of 20 characters) and the button.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

signals:
  // The box's OnClick: the owning form opens the picker here.
  void Clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  void ApplyHeightRule();
  int BorderWidth() const { return borderStyle_ == bsSingle ? 2 : 0; }

  TDashButton* button_;
  QString text_;
  bool autoSize_ = true;
  TBorderStyle borderStyle_ = bsSingle;
};
