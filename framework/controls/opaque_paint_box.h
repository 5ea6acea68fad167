// A paint surface whose background is never erased while it is opaque, so that owner
// painting of whole surfaces (maps, tiles, previews) does not flicker.
#pragma once

#include <QColor>
#include <QWidget>

class QPainter;

// The colour of empty work areas behind documents and previews.
QColor AppWorkSpaceColor();
// An opaque surface leaves every pixel to its owner's painting; otherwise Qt first fills
// it with Color.
void ApplyOpaqueBackground(QWidget* surface, bool opaque, const QColor& color);

class TOpaquePaintBox : public QWidget {
  Q_OBJECT
public:
  explicit TOpaquePaintBox(QWidget* parent = nullptr);

  bool Opaque() const { return opaque_; }
  void SetOpaque(bool value);
  QColor Color() const { return color_; }
  void SetColor(const QColor& value);

signals:
  // The owner draws here; the canvas has the box's font and its colour as brush.
  void Paint(QPainter& canvas);
  void RightDblClick();
  void DblClick();
  void MouseDown(QMouseEvent* event);
  void MouseMove(QMouseEvent* event);
  void MouseUp(QMouseEvent* event);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  void ApplyBackground();
  bool opaque_ = true;
  QColor color_;
};
