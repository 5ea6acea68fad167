// Whole-file forms (header string and content) of maps and map trees, in memory.
#pragma once

#include <cstdint>
#include <vector>

#include "core/stream.h"

template <class T> std::vector<uint8_t> FileFormBytes(const T& object) {
  TMemoryStream s;
  object.SaveToFileStream(s);
  return s.TakeBytes();
}

template <class T> void LoadFileForm(T& object, const uint8_t* data, size_t size) {
  TMemoryStream s(data, size);
  object.LoadFromFileStream(s);
}

template <class T> void LoadFileForm(T& object, const std::vector<uint8_t>& bytes) {
  LoadFileForm(object, bytes.data(), bytes.size());
}

// Whether what Object saves reloads and saves to the same bytes from the second save
// on (a value that is its field's save default but not its Clear value, such as an
// encounter's group 0, changes on the first). A reload that fails raises.
template <class T> bool SavesToAFixedPoint(const T& object) {
  T second, third;
  LoadFileForm(second, FileFormBytes(object));
  const auto saved = FileFormBytes(second);
  LoadFileForm(third, saved);
  return FileFormBytes(third) == saved;
}
