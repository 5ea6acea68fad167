// A splitter bar that keeps its neighbouring panel at a percentage of the room there is
// along its side, also when the container is resized. The container docks its controls
// with TAlignLayout; the neighbour is the control just outside the splitter on its
// aligned side.
#pragma once

#include <QPoint>
#include <QWidget>

#include "framework/controls/align_layout.h"

// The panel size for a percentage of the extent: rounded, at most extent - minSize and
// then at least minSize.
int SplitterPanelSize(int extent, double percentage, int minSize);

class TSmartSplitter : public QWidget {
  Q_OBJECT
public:
  explicit TSmartSplitter(QWidget* parent = nullptr, TAlign align = alLeft);
  ~TSmartSplitter() override;

  TAlign Align() const { return ControlAlign(this); }
  void SetAlign(TAlign align);
  bool AutoResize() const { return autoResize_; }
  void SetAutoResize(bool value) { autoResize_ = value; }
  int MinSize() const { return minSize_; }
  void SetMinSize(int value) { minSize_ = value; }
  double Percentage() const { return percentage_; }
  void SetPercentage(double value) { percentage_ = value; }

  // Gives the neighbour its share of the extent.
  void ApplyPercentage();
  // Grows or shrinks the neighbour by the drag distance, then keeps the new share.
  void MoveBy(int deltaX, int deltaY);
  // The panel the splitter sizes, or nothing.
  QWidget* Neighbour() const;
  // The room along the splitter's side that the neighbour may take.
  int Extent() const;

signals:
  // A drag ended.
  void Moved();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  bool Vertical() const;
  void SetNeighbourSize(QWidget* neighbour, int size);

  bool autoResize_ = true;
  int minSize_ = 30;
  double percentage_ = 50.0;
  QPoint dragStart_;
  bool dragging_ = false;
};
