// The names of a catalog as a fresh list, the way forms filled their lists before the
// shared catalog models: the peer the benchmarks measure the models against.
#pragma once

#include <QStringList>

#include "framework/controls/qt_text.h"

template <class List> QStringList NamesOf(const List& list) {
  QStringList names;
  for (int i = 0; i < list.GetCount(); ++i)
    names.push_back(ToQString(list.Items(i)->Name));
  return names;
}
