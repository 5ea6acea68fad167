// The main of every widget test program: a private settings and temporary folder, the
// editor's application object, and no message box that could block.
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

#include "framework/forms/error_guard.h"
#include "framework/forms/form_xel_base.h"
#include "framework/forms/modal_opener.h"
#include "framework/harness/widget_harness.h"

TMessageBoxProvider& UnexpectedMessageBoxes();

int main(int argc, char** argv) {
  QTemporaryDir home;
  if (!home.isValid()) return 2;
  const QString config = home.filePath(QStringLiteral("config"));
  const QString temp = home.filePath(QStringLiteral("tmp"));
  QDir().mkpath(config);
  QDir().mkpath(temp);
  setenv("XDG_CONFIG_HOME", config.toLocal8Bit().constData(), 1);
  setenv("TMPDIR", temp.toLocal8Bit().constData(), 1);

  TXelApplication application(argc, argv, &IsEditorForm);
  SetMessageBoxProvider(&UnexpectedMessageBoxes());
  // OnNextModal's answers, oldest first; a form of another kind runs as usual.
  const TScopedModalOpener answers([](TFormXelBase& form, const std::function<bool()>& show) {
    auto& waiting = NextModalAnswers();
    if (waiting.empty()) return show();
    // Taken first: the answer may wait for dialogs of its own.
    TModalAnswer answer = std::move(waiting.front());
    waiting.pop_front();
    if (const std::optional<bool> ok = answer(form)) return *ok;
    waiting.push_front(std::move(answer));
    return show();
  });
  ::testing::InitGoogleTest(&argc, argv);
  // An answer a test left unused answers for no later test's form.
  struct TForgetAnswers : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { NextModalAnswers().clear(); }
  };
  ::testing::UnitTest::GetInstance()->listeners().Append(new TForgetAnswers);
  const int result = RUN_ALL_TESTS();
  SetMessageBoxProvider(nullptr);
  return result;
}
