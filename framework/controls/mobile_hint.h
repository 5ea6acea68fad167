// A hint that follows the mouse: the text is shown in a hint window just below the
// cursor's visible shape, and hidden again when the application is deactivated.
#pragma once

#include <QFont>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <QLabel>

// The rows of a cursor image below its hot spot that show anything: the last row with a
// visible pixel, counted from the top, minus the hot spot's row. A cursor that shows
// nothing answers 0.
int VisibleCursorHeight(const QImage& cursorImage, int hotSpotY);

class TMobileHint : public QObject {
  Q_OBJECT
public:
  explicit TMobileHint(QObject* owner = nullptr);
  ~TMobileHint() override;

  // Shows Text with the hint's top-left just below the cursor at the screen point.
  void ShowAt(QPoint screenPoint, const QString& text);
  void Hide();

  QFont Font() const;
  void SetFont(const QFont& font);
  QLabel* HintWindow() const { return window_; }

private:
  QPointer<QLabel> window_;
  bool hooked_ = false;
};
