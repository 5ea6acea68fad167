#include "framework/controls/qt_text.h"

#include <QList>

#include "core/code_page.h"

QString ToQString(std::string_view bytes) {
  const std::string utf8 = CodePageToUtf8(bytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToCodePage(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

QString CodePageCharacters(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  // By code point, so both halves of a surrogate pair go together.
  for (const char32_t c : text.toUcs4())
    if (CodePageHolds(c)) kept += QString::fromUcs4(&c, 1);
  return kept;
}
