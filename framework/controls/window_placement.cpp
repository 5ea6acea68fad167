#include "framework/controls/window_placement.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

QPointer<QWidget> mainForm;

QWidget* OwnerWindow(const QWidget* form) {
  QWidget* owner = form->parentWidget();
  return owner ? owner->window() : nullptr;
}

const QScreen* ScreenOf(const QWidget* widget) {
  const QScreen* screen = widget ? widget->screen() : nullptr;
  return screen ? screen : QGuiApplication::primaryScreen();
}

void MoveFrameTo(QWidget* form, QPoint topLeft) {
  form->move(ClampToWorkArea(topLeft, form->frameGeometry().size(), ScreenOf(form)));
}

QPoint CentredOver(const QRect& reference, QSize size) {
  return {reference.left() + reference.width() / 2 - size.width() / 2,
          reference.top() + reference.height() / 2 - size.height() / 2};
}

bool IsStandardBox(const QObject* object) {
  return qobject_cast<const QMessageBox*>(object) || qobject_cast<const QFileDialog*>(object) ||
         qobject_cast<const QInputDialog*>(object) || qobject_cast<const QColorDialog*>(object) ||
         qobject_cast<const QFontDialog*>(object);
}

} // namespace

QWidget* MainForm() {
  return mainForm;
}

void SetMainForm(QWidget* form) {
  mainForm = form;
}

QPoint ClampToWorkArea(QPoint topLeft, QSize frameSize, const QScreen* screen) {
  if (!screen) return topLeft;
  const QRect area = screen->availableGeometry();
  int x = std::min(topLeft.x(), area.x() + area.width() - frameSize.width());
  int y = std::min(topLeft.y(), area.y() + area.height() - frameSize.height());
  return {std::max(x, area.x()), std::max(y, area.y())};
}

void KeepFormOnScreen(QWidget* form) {
  MoveFrameTo(form, form->frameGeometry().topLeft());
}

void PlaceFormRelativeToOwner(QWidget* form, int dx, int dy) {
  QPoint topLeft = form->frameGeometry().topLeft();
  if (QWidget* owner = OwnerWindow(form)) topLeft = owner->mapToGlobal(QPoint(dx, dy));
  MoveFrameTo(form, topLeft);
}

void CenterFormOverOwner(QWidget* form) {
  CenterFormOver(form, OwnerWindow(form));
}

void CenterFormOver(QWidget* form, const QWidget* reference) {
  QPoint topLeft = form->frameGeometry().topLeft();
  if (reference)
    topLeft = CentredOver(reference->window()->frameGeometry(), form->frameGeometry().size());
  MoveFrameTo(form, topLeft);
}

void RefreshMouseCursor() {
  const QPoint global = QCursor::pos();
  QWidget* target = QApplication::widgetAt(global);
  if (!target) return;
  const QPointF local = target->mapFromGlobal(QPointF(global));
  QMouseEvent move(QEvent::MouseMove, local, QPointF(global), Qt::NoButton,
                   QApplication::mouseButtons(), QApplication::keyboardModifiers());
  QApplication::sendEvent(target, &move);
}

bool TCBTHooker::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show || !IsStandardBox(watched)) return false;
  auto* box = static_cast<QWidget*>(watched);
  // A box settles its size while it handles the show, so let it do that first.
  watched->event(event);
  QWidget* reference = OwnerWindow(box);
  if (!reference) reference = MainForm();
  if (!reference || reference == box) return true;
  const QRect refRect = reference->frameGeometry();
  if (refRect.x() + refRect.width() <= 0) return true;
  const QSize size = box->frameGeometry().size();
  box->move(ClampToWorkArea(CentredOver(refRect, size), size, ScreenOf(reference)));
  return true;
}
