#include "core/name_picker.h"

#include <algorithm>
#include <cstdio>

#include "core/catalog.h"
#include "core/switch_records.h"

int NameGroupCount(int count) {
  return count <= 0 ? 0 : (count - 1) / NamesPerGroup + 1;
}

int NameGroupSize(int group, int count) {
  return std::clamp(count - group * NamesPerGroup, 0, NamesPerGroup);
}

std::string NameGroupLine(int group, int count) {
  const int first = group * NamesPerGroup + 1;
  const int last = first + std::max(NameGroupSize(group, count), 1) - 1;
  char line[32];
  std::snprintf(line, sizeof line, "[ %.4d - %.4d ]", first, last);
  return line;
}

std::string NameItemLine(int id, const std::string& name) {
  char number[16];
  std::snprintf(number, sizeof number, "%.4d:", id);
  return number + name;
}

int ClampNameId(int id, int count) {
  return count <= 0 ? 0 : std::clamp(id, 1, count);
}

void TWorkingNames::LoadFrom(const TCatalog& catalog) {
  names_.clear();
  names_.reserve(static_cast<size_t>(catalog.GetCount()));
  for (int i = 0; i < catalog.GetCount(); ++i)
    names_.push_back(static_cast<const TXelNamedItem*>(catalog.GetItem(i))->Name);
}

void TWorkingNames::ApplyTo(TCatalog& catalog) const {
  while (catalog.GetCount() < Count())
    catalog.Append();
  while (catalog.GetCount() > Count())
    catalog.DeleteById(catalog.GetItem(catalog.GetCount() - 1)->Id);
  for (int i = 0; i < Count(); ++i)
    static_cast<TXelNamedItem*>(catalog.GetItem(i))->Name = names_[static_cast<size_t>(i)];
}

void TWorkingNames::SetCount(int count) {
  names_.resize(static_cast<size_t>(std::max(count, 1)));
}

TNameStep PreviousNameStep(int group, int line, int groupCount) {
  if (line == 0 && group > 0 && group < groupCount) return {TListKey::Up, TListKey::End};
  return {TListKey::None, TListKey::Up};
}

TNameStep NextNameStep(int group, int line, int groupCount, int linesInGroup) {
  if (line == linesInGroup - 1 && group < groupCount - 1) return {TListKey::Down, TListKey::Home};
  return {TListKey::None, TListKey::Down};
}
