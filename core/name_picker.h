// The switch and variable pickers without their widgets: the ids in groups of twenty,
// the texts of the group and item lines, the working copy of the names and how it goes
// back into the catalog, and where the previous and next keys move the selection.
#pragma once

#include <string>
#include <vector>

class TCatalog;

inline constexpr int NamesPerGroup = 20;

// Groups for Count names: (Count - 1) div 20 + 1; none for an empty list.
int NameGroupCount(int count);
// "[ 0041 - 0060 ]": the first and last id of Group; the last group ends at Count.
std::string NameGroupLine(int group, int count);
// How many ids of Group are within Count.
int NameGroupSize(int group, int count);
// "0057:Door open".
std::string NameItemLine(int id, const std::string& name);

// Id 1.. into its group and its line in the group, and back.
inline int GroupOfId(int id) {
  return (id - 1) / NamesPerGroup;
}
inline int LineOfId(int id) {
  return (id - 1) % NamesPerGroup;
}
inline int IdOfLine(int group, int line) {
  return group * NamesPerGroup + line + 1;
}
// Id within 1..Count; 0 when the list is empty.
int ClampNameId(int id, int count);

// The names of a switch or variable catalog as the picker edits them: line i is id i + 1.
class TWorkingNames {
public:
  // One line per item of Catalog (a TXelSwitch or TXelVariable), in catalog order.
  void LoadFrom(const TCatalog& catalog);
  // The catalog takes the working count (items added at the end or removed from it) and
  // every item its working name.
  void ApplyTo(TCatalog& catalog) const;

  int Count() const { return static_cast<int>(names_.size()); }
  const std::string& Name(int id) const { return names_.at(static_cast<size_t>(id - 1)); }
  void SetName(int id, std::string name) {
    names_.at(static_cast<size_t>(id - 1)) = std::move(name);
  }
  // Empty names are appended or the last names dropped; a maximum below 1 is taken as 1,
  // since the picker always shows at least one entry to select.
  void SetCount(int count);

private:
  std::vector<std::string> names_;
};

// Where the previous (F4) and next (F5) keys go: a key to the group list first (when
// the selection crosses into the neighbouring group), then one to the item list.
enum class TListKey { None, Up, Down, Home, End };
struct TNameStep {
  TListKey GroupKey = TListKey::None;
  TListKey ItemKey = TListKey::None;
};
TNameStep PreviousNameStep(int group, int line, int groupCount);
TNameStep NextNameStep(int group, int line, int groupCount, int linesInGroup);
