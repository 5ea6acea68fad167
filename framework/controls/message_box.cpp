#include "framework/controls/message_box.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
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

struct TBoxButton {
  QMessageBox::StandardButton button;
  int id;
};

// The buttons of a box in order, by the low nibble of its flags.
const std::vector<TBoxButton>& BoxButtons(int flags) {
  using B = QMessageBox::StandardButton;
  static const std::vector<TBoxButton> kinds[] = {
      {{B::Ok, IDOK}},
      {{B::Ok, IDOK}, {B::Cancel, IDCANCEL}},
      {{B::Abort, IDABORT}, {B::Retry, IDRETRY}, {B::Ignore, IDIGNORE}},
      {{B::Yes, IDYES}, {B::No, IDNO}, {B::Cancel, IDCANCEL}},
      {{B::Yes, IDYES}, {B::No, IDNO}},
      {{B::Retry, IDRETRY}, {B::Cancel, IDCANCEL}},
  };
  const int kind = flags & 0x0F;
  return kind <= MB_RETRYCANCEL ? kinds[kind] : kinds[MB_OK];
}

// The default button's place; a place the box does not have is the first button.
size_t DefaultButtonIndex(int flags) {
  const size_t index = (flags & MB_DEFBUTTON3) ? 2 : (flags & MB_DEFBUTTON2) ? 1 : 0;
  return index < BoxButtons(flags).size() ? index : 0;
}

QString Escaped(QString text) {
  return text.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
      .replace(QLatin1Char('\t'), QLatin1String("\\t"))
      .replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

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
  const std::vector<TBoxButton>& buttons = BoxButtons(flags);
  const size_t defaultIndex = DefaultButtonIndex(flags);
  for (size_t i = 0; i < buttons.size(); ++i) {
    QPushButton* button = box->addButton(buttons[i].button);
    button->setProperty("answer", buttons[i].id);
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

int DefaultAnswer(int flags) {
  return BoxButtons(flags)[DefaultButtonIndex(flags)].id;
}

QString TMessageLogBoxes::FormatLine(const QString& caption, const QString& text, int flags) {
  return Escaped(caption) + QLatin1Char('\t') + Escaped(text) + QLatin1Char('\t') +
         QString::number(flags) + QLatin1Char('\n');
}

int TMessageLogBoxes::Show(QWidget*, const QString& caption, const QString& text, int flags) {
  QFile file(QString::fromStdString(fileName_));
  if (file.open(QIODevice::Append | QIODevice::WriteOnly))
    file.write(FormatLine(caption, text, flags).toUtf8());
  return DefaultAnswer(flags);
}
