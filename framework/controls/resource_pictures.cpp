#include "framework/controls/resource_pictures.h"

#include <QImageReader>

// Registers the packed pictures; from the global namespace, as the resource system asks.
static void RegisterPictures() {
  Q_INIT_RESOURCE(resources);
}

QString ResourcePath(const char* file) {
  // Every picture reader first makes sure the pictures are there.
  static const bool registered = (RegisterPictures(), true);
  (void)registered;
  return QStringLiteral(":/images/") + QLatin1String(file);
}

QImage ResourceImage(const QString& path) {
  QImageReader reader(path, "PNG");
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

QImage ResourcePicture(const char* file) {
  return ResourceImage(ResourcePath(file));
}
