#include "core/char_set_graphic.h"

#include "core/code_page.h"
#include "core/editor_mode.h"
#include "core/material_image.h"

TRect CharSetCellRect(int charIndex, int direction, int pattern) {
  return Bounds((charIndex % 4) * 72 + pattern * CharCellWidth,
                (charIndex / 4) * 128 + direction * CharCellHeight, CharCellWidth, CharCellHeight);
}

void TXelCharSetGraphic::Clear() {
  Names.clear();
  Sheets.clear();
  Used.clear();
}

void TXelCharSetGraphic::MarkAllUnused() {
  Used.assign(Used.size(), false);
}

int TXelCharSetGraphic::IndexOf(const std::string& name) const {
  const std::string folded = CodePageLowerCase(name);
  for (int i = 0; i < GetCount(); ++i)
    if (Names[i] == name || CodePageLowerCase(Names[i]) == folded) return i;
  return -1;
}

int TXelCharSetGraphic::LoadCharSet(const std::string& name) {
  const int found = IndexOf(name);
  if (found >= 0) {
    Used[found] = true;
    return found;
  }
  Names.push_back(name);
  Used.push_back(true);
  auto sheet = std::make_unique<TGlimraSheet>();
  sheet->SetSize(CharSetWidth, CharSetHeight);
  TGlimraSheet& loaded = *sheet;
  Sheets.push_back(std::move(sheet));
  LoadMaterialSheet(loaded, name, "CharSet", !IsEditorMode());
  return GetCount() - 1;
}

void TXelCharSetGraphic::PurgeUnused() {
  for (int i = 0; i < GetCount();) {
    if (Used[i]) {
      ++i;
      continue;
    }
    if (GetCount() < PurgeKeepCount) return;
    Remove(i);
  }
}

TGlimraSheet* TXelCharSetGraphic::GetSheet(int index) const {
  return index >= 0 && index < GetCount() ? Sheets[index].get() : nullptr;
}

void TXelCharSetGraphic::Remove(int index) {
  Names.erase(Names.begin() + index);
  Sheets.erase(Sheets.begin() + index);
  Used.erase(Used.begin() + index);
}
