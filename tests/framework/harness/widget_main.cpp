// The main of every widget test program: a private settings and temporary folder, the
// editor's application object, and no message box that could block.
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

#include "framework/forms/error_guard.h"
#include "framework/forms/form_xel_base.h"
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
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  SetMessageBoxProvider(nullptr);
  return result;
}
