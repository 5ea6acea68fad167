#include "framework/controls/help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "core/file_utils.h"
#include "framework/controls/framework_messages.h"
#include "framework/controls/message_box.h"

QString HelpPagePath(int context) {
  const QString path =
      QString::fromStdString(GetProgramFolder()) + QStringLiteral("help/%1.html").arg(context);
  return QFileInfo(path).isFile() ? path : QString();
}

void ShowHelpContext(int context, QWidget* owner) {
  const QString path = HelpPagePath(context);
  if (path.isEmpty())
    ShowInfoBox(QString::fromLatin1(SHelpNotInstalled), owner);
  else
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
