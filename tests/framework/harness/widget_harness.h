// What every widget test uses: scripted message boxes, finding a form's controls by
// name, and showing a form so that QTest can drive it.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

#include "framework/controls/message_box.h"

struct TRecordedBox {
  QWidget* parent;
  QString caption;
  QString text;
  int flags;
};

// Records every message box and answers with the scripted button ids in order. A box
// with only an OK button needs no script; any other unscripted box fails the test. The
// harness keeps one installed between tests that fails on every box.
class TScriptedMessageBoxes : public TMessageBoxProvider {
public:
  TScriptedMessageBoxes();
  ~TScriptedMessageBoxes() override;
  TScriptedMessageBoxes(const TScriptedMessageBoxes&) = delete;
  TScriptedMessageBoxes& operator=(const TScriptedMessageBoxes&) = delete;

  void Answer(int id) { answers_.push_back(id); }
  const std::vector<TRecordedBox>& Boxes() const { return boxes_; }

  int Show(QWidget* parent, const QString& caption, const QString& text, int flags) override;

private:
  TMessageBoxProvider* previous_;
  std::deque<int> answers_;
  std::vector<TRecordedBox> boxes_;
};

// The form's control with that objectName; fails the test when there is none.
template <class Control = QWidget> Control* FindControl(const QWidget* form, const char* name) {
  auto* control = form->findChild<Control*>(QString::fromLatin1(name));
  if (!control) ADD_FAILURE() << "no control named " << name << " of that kind";
  return control;
}

// Shows the form and waits until it is the active window, so keys reach it.
void ShowAndActivate(QWidget* form);

// Runs Body on the modal dialog that the next call opens, once it is showing, so a test
// can drive a nested dialog without blocking.
template <class Dialog> void OnNextModal(std::function<void(Dialog*)> body) {
  QTimer::singleShot(0, [body] {
    // A busy machine can take long to show it: wait for the dialog, not for a time.
    for (QDeadlineTimer limit(20000); !limit.hasExpired(); QTest::qWait(5)) {
      if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
        body(dialog);
        return;
      }
    }
    ADD_FAILURE() << "no modal dialog opened";
  });
}

// Help pages of the given contexts beside a stand-in program file, while it lives, and
// the URLs that the help call opens meanwhile.
class THelpPages : public QObject {
  Q_OBJECT
public:
  explicit THelpPages(std::initializer_list<int> contexts);
  ~THelpPages() override;

  QUrl PageUrl(int context) const;
  QList<QUrl> Opened;

public slots:
  void Open(const QUrl& url) { Opened.append(url); }

private:
  QTemporaryDir folder_;
};
