// The editor's pictures: the files of resources/images/, drawn by
// scripts/draw-resources.sh and packed into the program.
#pragma once

#include <QImage>
#include <QString>

// ":/images/<file>", once the packed pictures are registered.
QString ResourcePath(const char* file);
// The picture at a ResourcePath. The pictures are all PNG and read by the built-in reader:
// a reader left to detect the format first loads every image plugin to offer it the file.
QImage ResourceImage(const QString& path);
// Any picture of resources/images/ by its file name ("rank_a.png").
QImage ResourcePicture(const char* file);
