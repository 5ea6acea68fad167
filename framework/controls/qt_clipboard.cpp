#include "framework/controls/qt_clipboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QString ClipboardMimeType(uint32_t format) {
  return QStringLiteral("application/x-velmora-%1").arg(ClipboardFormatNumber(format));
}

bool TQtClipboard::HasFormat(uint32_t format) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasFormat(ClipboardMimeType(format));
}

std::optional<std::vector<uint8_t>> TQtClipboard::GetData(uint32_t format) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  const QString type = ClipboardMimeType(format);
  if (!data || !data->hasFormat(type)) return std::nullopt;
  const QByteArray bytes = data->data(type);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void TQtClipboard::SetData(uint32_t format, std::vector<uint8_t> bytes) {
  auto* data = new QMimeData;
  data->setData(ClipboardMimeType(format), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<qsizetype>(bytes.size())));
  // The clipboard takes the data over, dropping whatever it held before.
  QGuiApplication::clipboard()->setMimeData(data);
}
