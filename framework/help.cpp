#include "framework/help.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

QString HelpPagePath(int context) {
  const QString path =
      QCoreApplication::applicationDirPath() + QStringLiteral("/help/%1.html").arg(context);
  return QFileInfo(path).isFile() ? path : QString();
}

void ShowHelpContext(int context) {
  const QString path = HelpPagePath(context);
  if (!path.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
