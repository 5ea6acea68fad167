// Hand-drawn frames and captions of the editor's forms: the etched group frame that can
// sit on any panel, the white anti-aliased title caption on black, and the separator
// between tool-bar buttons.
#pragma once

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QWidget>

class QPainter;

// A frame Width pixels wide: TopLeft along the top and left edges, BottomRight along the
// others.
void DrawFrame3D(QPainter& painter, QRect r, const QColor& topLeft, const QColor& bottomRight,
                 int width);

// Every group frame of the forms. The caption breaks the frame line; a disabled frame
// shows it embossed.
class TFakeGroupBox : public QGroupBox {
  Q_OBJECT
public:
  explicit TFakeGroupBox(const QString& caption = QString(), QWidget* parent = nullptr);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int value);

protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  int bevelWidth_ = 1;
};

// The caption of a title bar: white "Arial" drawn at twice the size on black and reduced
// by counting the lit pixels of every 2 x 2 block into five grey levels.
QImage DeluxeCaptionImage(const QString& caption, int width, int height);
// The reduction alone: each pixel of the half-size result is black, 128 grey, (160, 160,
// 164), 192 grey or white for 0 to 4 non-black pixels in its block.
QImage ReduceByLitQuarters(const QImage& large);

class TDeluxeLabel : public QLabel {
  Q_OBJECT
public:
  explicit TDeluxeLabel(const QString& caption = QString(), QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;
};

// A shadow line beside a highlight line down the middle.
class TSpeedDivider : public QWidget {
  Q_OBJECT
public:
  explicit TSpeedDivider(QWidget* parent = nullptr);

protected:
  void paintEvent(QPaintEvent* event) override;
};
