// What every widget test uses: scripted message boxes, finding a form's controls by
// name, and showing a form so that QTest can drive it.
#pragma once

#include <QApplication>
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
#include <optional>
#include <type_traits>
#include <vector>

#include "framework/controls/message_box.h"
#include "framework/forms/form_xel_base.h"
#include "wait_until.h"

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

// Lets the program handle its events for Ms milliseconds: WaitUntil's pause in widget
// tests.
inline void HandleEvents(int ms) {
  QTest::qWait(ms);
}

// Opens the control's right-click menu with the mouse over it, as a person would, and
// picks the menu's action whose text (without its "&" marks) starts with Caption.
void PickFromContextMenu(QWidget* control, const QString& caption);

// Answers for the next modal forms, oldest first: each answer takes the form and tells
// whether it closed with OK. The harness's modal opener hands every form run modally to
// the first answer that takes its kind (returning nothing for other kinds), and runs it
// as usual when none does; a test's own TScopedModalOpener comes before it.
using TModalAnswer = std::function<std::optional<bool>(TFormXelBase& form)>;
std::deque<TModalAnswer>& NextModalAnswers();

// Runs Body on the modal dialog that the next call opens, once it is showing, so a test
// can drive a nested dialog without blocking. A form of the toolkit is shown without a
// modal loop and answers with the result Body closed it with; another dialog (a file
// dialog) runs its own loop, in which Body is called once it shows.
template <class Dialog> void OnNextModal(std::function<void(Dialog*)> body) {
  if constexpr (std::is_base_of_v<TFormXelBase, Dialog>) {
    NextModalAnswers().push_back([body](TFormXelBase& form) -> std::optional<bool> {
      auto* dialog = dynamic_cast<Dialog*>(&form);
      if (!dialog) return std::nullopt;
      ShowAndActivate(dialog);
      body(dialog);
      if (dialog->isVisible()) {
        ADD_FAILURE() << "the dialog was left open";
        dialog->done(mrCancel);
      }
      return dialog->result() == mrOk;
    });
  } else {
    QTimer::singleShot(0, [body] {
      Dialog* dialog = nullptr;
      // A busy machine can take long to show it: wait for the dialog, not for a time.
      const bool shown = WaitUntil(
          [&dialog] {
            return (dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) != nullptr;
          },
          std::chrono::seconds(20), HandleEvents);
      if (shown)
        body(dialog);
      else
        ADD_FAILURE() << "no modal dialog opened";
    });
  }
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
