// The Qt boundary for text: the data core keeps code-page bytes, Qt wants QString.
// Everything crosses through these two, which use the code page's own table.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString ToQString(std::string_view bytes);
// Characters the code page cannot hold become '?'.
std::string FromQString(const QString& text);
// The characters of Text that the code page holds, in order; the others are left out.
QString CodePageCharacters(const QString& text);
