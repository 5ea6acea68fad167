#include "framework/controls/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <utility>
#include <vector>

#include "framework/controls/framework_messages.h"

namespace {

QString& TitleStore() {
  static QString title = QString::fromLatin1(SApplicationTitle);
  return title;
}

class TQtMessageBoxes : public TMessageBoxProvider {
public:
  int Show(QWidget* parent, const QString& caption, const QString& text, int flags) override {
    auto box = BuildMessageBox(parent, caption, text, flags);
    // The box is application modal, so every other window waits; afterwards the
    // window that was active gets the focus back.
    QPointer<QWidget> previous = QApplication::activeWindow();
    box->exec();
    int answer = MessageBoxAnswer(*box);
    box.reset();
    if (previous && parent) previous->activateWindow();
    return answer;
  }
};

TQtMessageBoxes qtBoxes;
TMessageBoxProvider* provider = &qtBoxes;

} // namespace

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const QString& caption,
                                             const QString& text, int flags) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(caption);
  // Texts are shown as they are: "<RTP>" or "&" must not turn into markup.
  box->setTextFormat(Qt::PlainText);
  box->setText(text);
  switch (flags & 0xF0) {
  case MB_ICONHAND:
    box->setIcon(QMessageBox::Critical);
    break;
  case MB_ICONQUESTION:
    box->setIcon(QMessageBox::Question);
    break;
  case MB_ICONEXCLAMATION:
    box->setIcon(QMessageBox::Warning);
    break;
  case MB_ICONINFORMATION:
    box->setIcon(QMessageBox::Information);
    break;
  default:
    break;
  }
  using B = QMessageBox::StandardButton;
  std::vector<std::pair<B, int>> buttons;
  switch (flags & 0x0F) {
  case MB_OKCANCEL:
    buttons = {{B::Ok, IDOK}, {B::Cancel, IDCANCEL}};
    break;
  case MB_ABORTRETRYIGNORE:
    buttons = {{B::Abort, IDABORT}, {B::Retry, IDRETRY}, {B::Ignore, IDIGNORE}};
    break;
  case MB_YESNOCANCEL:
    buttons = {{B::Yes, IDYES}, {B::No, IDNO}, {B::Cancel, IDCANCEL}};
    break;
  case MB_YESNO:
    buttons = {{B::Yes, IDYES}, {B::No, IDNO}};
    break;
  case MB_RETRYCANCEL:
    buttons = {{B::Retry, IDRETRY}, {B::Cancel, IDCANCEL}};
    break;
  default:
    buttons = {{B::Ok, IDOK}};
    break;
  }
  size_t defaultIndex = (flags & MB_DEFBUTTON3) ? 2 : (flags & MB_DEFBUTTON2) ? 1 : 0;
  if (defaultIndex >= buttons.size()) defaultIndex = 0;
  for (size_t i = 0; i < buttons.size(); ++i) {
    QPushButton* button = box->addButton(buttons[i].first);
    button->setProperty("answer", buttons[i].second);
    if (i == defaultIndex) box->setDefaultButton(button);
  }
  return box;
}

int MessageBoxAnswer(const QMessageBox& box) {
  QAbstractButton* button = box.clickedButton();
  return button ? button->property("answer").toInt() : IDCANCEL;
}

TMessageBoxProvider* SetMessageBoxProvider(TMessageBoxProvider* next) {
  TMessageBoxProvider* previous = provider == &qtBoxes ? nullptr : provider;
  provider = next ? next : &qtBoxes;
  return previous;
}

const QString& ApplicationTitle() {
  return TitleStore();
}

void SetApplicationTitle(const QString& title) {
  TitleStore() = title;
}

int ShowMessageBox(const QString& text, int flags, QWidget* parent) {
  return provider->Show(parent, ApplicationTitle(), text, flags & 0xFFFF);
}

int ShowErrorBox(const QString& text, QWidget* parent) {
  return ShowMessageBox(text, MB_ICONHAND, parent);
}

int ShowInfoBox(const QString& text, QWidget* parent) {
  return ShowMessageBox(text, MB_ICONINFORMATION, parent);
}

int ShowYesNoBox(const QString& text, QWidget* parent) {
  return ShowMessageBox(text, MB_ICONQUESTION | MB_YESNO, parent);
}
