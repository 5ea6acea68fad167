// Docking of a container's controls to its edges: top-aligned controls stack from the
// top, bottom-aligned ones from the bottom, then left- and right-aligned ones from the
// sides, and a client-aligned control fills what is left. A docked control keeps its own
// height (top, bottom) or width (left, right); the layout only stretches the other side.
#pragma once

#include <QLayout>
#include <QList>

class QWidget;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

void SetControlAlign(QWidget* control, TAlign align);
TAlign ControlAlign(const QWidget* control);

class TAlignLayout : public QLayout {
  Q_OBJECT
public:
  explicit TAlignLayout(QWidget* parent = nullptr);
  ~TAlignLayout() override;

  // Adds the control with that alignment; the order of adding is the stacking order.
  void AddControl(QWidget* control, TAlign align);
  // Places every docked control again for the current sizes.
  void Arrange();

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

private:
  QList<QLayoutItem*> items_;
};
