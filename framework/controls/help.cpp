#include "framework/controls/help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "core/file_utils.h"

QString HelpPagePath(int context) {
  const QString path =
      QString::fromStdString(GetProgramFolder()) + QStringLiteral("help/%1.html").arg(context);
  return QFileInfo(path).isFile() ? path : QString();
}

void ShowHelpContext(int context) {
  const QString path = HelpPagePath(context);
  if (!path.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
