#include "framework/harness/widget_harness.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>

#include "core/file_utils.h"

namespace {

// Boxes that open while no test scripts them are faults.
class TUnexpectedMessageBoxes : public TMessageBoxProvider {
public:
  int Show(QWidget*, const QString& caption, const QString& text, int flags) override {
    ADD_FAILURE() << "unexpected message box: " << text.toStdString() << " (flags " << flags << ")";
    return IDCANCEL;
  }
};

} // namespace

TMessageBoxProvider& UnexpectedMessageBoxes() {
  static TUnexpectedMessageBoxes provider;
  return provider;
}

TScriptedMessageBoxes::TScriptedMessageBoxes() : previous_(SetMessageBoxProvider(this)) {}

TScriptedMessageBoxes::~TScriptedMessageBoxes() {
  SetMessageBoxProvider(previous_);
}

int TScriptedMessageBoxes::Show(QWidget* parent, const QString& caption, const QString& text,
                                int flags) {
  boxes_.push_back({parent, caption, text, flags});
  if (!answers_.empty()) {
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  if ((flags & 0x0F) == MB_OK) return IDOK;
  ADD_FAILURE() << "no answer scripted for the box: " << text.toStdString();
  return IDCANCEL;
}

std::deque<TModalAnswer>& NextModalAnswers() {
  static std::deque<TModalAnswer> answers;
  return answers;
}

void ShowAndActivate(QWidget* form) {
  form->show();
  form->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(form));
}

void PickFromContextMenu(QWidget* control, const QString& caption) {
  const QPoint at = control->rect().center();
  QCursor::setPos(control->mapToGlobal(at));
  bool picked = false;
  // Found once it shows, whether the menu runs its own loop or pops up and returns.
  QTimer::singleShot(0, control, [&picked, &caption] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions()) {
      if (!picked && action->isEnabled() && action->text().remove('&').startsWith(caption)) {
        picked = true;
        action->trigger();
      }
    }
    menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, control->mapToGlobal(at));
  QApplication::sendEvent(control, &event);
  EXPECT_TRUE(WaitUntil([&picked] { return picked; }, std::chrono::seconds(5), HandleEvents))
      << "no menu action " << caption.toStdString();
}

THelpPages::THelpPages(std::initializer_list<int> contexts) {
  OverrideProgramFile(folder_.filePath("velmora").toStdString());
  QDir(folder_.path()).mkpath("help");
  for (int context : contexts) {
    QFile page(PageUrl(context).toLocalFile());
    EXPECT_TRUE(page.open(QIODevice::WriteOnly));
  }
  QDesktopServices::setUrlHandler("file", this, "Open");
}

THelpPages::~THelpPages() {
  QDesktopServices::unsetUrlHandler("file");
  OverrideProgramFile("");
}

QUrl THelpPages::PageUrl(int context) const {
  return QUrl::fromLocalFile(folder_.filePath(QStringLiteral("help/%1.html").arg(context)));
}
