// The music and sound-effect settings that every part of the data model uses (system
// music, skill and animation sounds, map music).
#pragma once

#include <cstdint>
#include <string>

#include "core/catalog_item.h"

// Name of no music and no sound.
inline constexpr const char* SoundOffName = "(OFF)";

// A music setting: file name without extension, fade-in in ms, volume and tempo in %,
// balance 0 (left) .. 100 (right).
class TXelMusic : public TCatalogBaseItem {
public:
  TXelMusic() { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 5; }
  void Clear() override;
  void Assign(const TCatalogBaseItem& source) override;

  std::string FileName;
  int32_t FadeIn;
  int32_t Volume;
  int32_t Tempo;
  int32_t Balance;
};

// A sound-effect setting: a music setting without the fade-in.
class TXelSound : public TCatalogBaseItem {
public:
  TXelSound() { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 5; }
  void Clear() override;
  void Assign(const TCatalogBaseItem& source) override;

  std::string FileName;
  int32_t Volume;
  int32_t Tempo;
  int32_t Balance;
};
