// A paint surface with its own scroll bars, described by two TScrollFrameBar objects
// (range, page, position, step). The frame moves nothing by itself: its owner draws the
// visible part for the bars' positions when OnPaint and OnChange fire.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>

class QPainter;
class QScrollBar;
class TScrollFrame;

class TScrollFrameBar {
public:
  TScrollFrameBar(TScrollFrame* frame, Qt::Orientation kind);

  Qt::Orientation Kind() const { return kind_; }
  // The line step of the arrows.
  int Increment() const { return increment_; }
  void SetIncrement(int value);
  // The content size and the visible part, in scroll units.
  int Range() const { return range_; }
  void SetRange(int value);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int value);
  // Always within 0 .. Range - PageSize.
  int Position() const { return position_; }
  void SetPosition(int value);
  // A hidden bar keeps its values and still scrolls (panning, ScrollBy).
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // Clamps the values, shows them on the bar and fires the frame's OnChange.
  void Update();

private:
  QScrollBar* Bar() const;

  TScrollFrame* frame_;
  Qt::Orientation kind_;
  int increment_ = 8;
  int range_ = 0;
  int pageSize_ = 0;
  int position_ = 0;
  bool visible_ = true;
};

class TScrollFrame : public QAbstractScrollArea {
  Q_OBJECT
public:
  enum TBorderStyle { bsNone, bsSingle };

  explicit TScrollFrame(QWidget* parent = nullptr);
  ~TScrollFrame() override;

  TScrollFrameBar* HorzScrollBar() { return &horz_; }
  TScrollFrameBar* VertScrollBar() { return &vert_; }
  void ScrollBy(int deltaX, int deltaY);

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  // Scroll bars of a fixed 16-pixel thickness instead of the style's.
  bool BarSizeFixed() const { return barSizeFixed_; }
  void SetBarSizeFixed(bool value);
  bool Opaque() const { return opaque_; }
  void SetOpaque(bool value);
  QColor Color() const { return color_; }
  void SetColor(const QColor& value);
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool value);
  // The visible drawing area.
  QSize ClientSize() const;

signals:
  // A scroll bar's values changed (also when the author scrolled).
  void Change();
  void Paint(QPainter& canvas);
  void Resize();
  void DblClick();
  void MouseDown(QMouseEvent* event);
  void MouseMove(QMouseEvent* event);
  void MouseUp(QMouseEvent* event);
  void KeyDown(QKeyEvent* event);
  void Enter();
  void Exit();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  friend class TScrollFrameBar;
  void ApplyBackground();

  TScrollFrameBar horz_;
  TScrollFrameBar vert_;
  TBorderStyle borderStyle_ = bsSingle;
  bool barSizeFixed_ = false;
  bool opaque_ = false;
  QColor color_;
  // Set while a bar shows new values, so that Qt's echo is not taken as a scroll.
  bool showing_ = false;
};
