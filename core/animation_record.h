// The battle-animation table of the database. An animation keeps the bytes it was
// loaded from or last saved as, so that an unchanged animation is written back as it
// was and a reload of an unchanged database skips it without parsing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/catalog.h"
#include "core/messages.h"
#include "core/plain_catalog.h"
#include "core/sound_record.h"

// A sound and a flash at one frame.
class TXelAnimationTimingItem : public TCatalogItem {
public:
  explicit TXelAnimationTimingItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 8; }
  void Clear() override { ClearFields<TXelAnimationTimingItem>(); }

  int32_t Frame;
  TXelSound Sound;
  uint8_t FlashScope; // 0 none, 1 target, 2 screen
  int32_t FlashRed;   // 0..31
  int32_t FlashGreen;
  int32_t FlashBlue;
  int32_t FlashPower;
  int32_t Reserved8;
};

using TXelAnimationTiming = TXelPlainCatalog<TXelAnimationTimingItem>;

// One cell of a frame: a pattern of the 5 x 5 image grid placed and tinted.
class TXelAnimationCellItem : public TCatalogItem {
public:
  explicit TXelAnimationCellItem(int32_t id) : TCatalogItem(id) { Clear(); }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 10; }
  void Clear() override { ClearFields<TXelAnimationCellItem>(); }

  uint8_t Visible;
  int32_t Pattern;
  int32_t X;
  int32_t Y;
  int32_t Magnification; // %
  int32_t Red;           // colour in %
  int32_t Green;
  int32_t Blue;
  int32_t Chroma;
  int32_t Transparency; // %
};

using TXelAnimationCell = TXelPlainCatalog<TXelAnimationCellItem>;

// One frame of an animation.
class TXelAnimationPatternItem : public TCatalogItem {
public:
  explicit TXelAnimationPatternItem(int32_t id) : TCatalogItem(id) {}
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 1; }
  void Clear() override { Cells.Clear(); }

  TXelAnimationCell Cells;
};

using TXelAnimationPattern = TXelPlainCatalog<TXelAnimationPatternItem>;

inline constexpr int NewAnimationFrames = 20;

// Whoever changes an animation's fields sets NeedsSerialize to 1 first; until then a
// save writes SavedBytes as they are.
class TXelAnimationItem : public TCatalogItem {
public:
  explicit TXelAnimationItem(int32_t id) : TCatalogItem(id) { Clear(); }
  // Made for a load, which brings the frames (or adds the default ones when the record
  // has none), so none are made first.
  struct TForLoad {};
  TXelAnimationItem(int32_t id, TForLoad) : TCatalogItem(id) {
    loadingFields_ = true;
    Clear();
    loadingFields_ = false;
  }
  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 12; }
  void Clear() override;
  // Copies the source's current fields in full, never bytes it saved earlier: a copy
  // edited by a tool dialog and handed back must carry its edits.
  void Assign(const TCatalogBaseItem& source) override;
  // With NeedsSerialize 0 the record is kept as it is when the stream holds exactly
  // its SavedBytes (skipped over), and parsed in full otherwise.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;

  int GetFrameCount() const { return Frames().GetCount(); }
  // Adds empty frames or deletes frames at the end.
  void SetFrameCount(int count);

  // The frames, parsed from SavedBytes on first use when a load left them there.
  TXelAnimationPattern& Frames() {
    UnfoldFrames();
    return frames_;
  }
  const TXelAnimationPattern& Frames() const {
    UnfoldFrames();
    return frames_;
  }

  std::string Name;
  std::string Graphic;
  TXelAnimationTiming Timings;
  uint8_t Scope;
  uint8_t YLine;

  // The record's saved form, valid while NeedsSerialize is 0. Pooled: a large database
  // keeps thousands of these.
  mutable std::vector<uint8_t, TPoolAllocator<uint8_t>> SavedBytes;
  mutable uint8_t NeedsSerialize;

private:
  void AddDefaultFrames();
  void LoadFields(TStream& stream);
  bool SkipSavedBytes(TStream& stream) const;
  // A load takes the frames chunk at the stream's position as it stands, to be parsed
  // when first asked for: most animations of a project are never opened, and their
  // cells are most of a large database. Taken only from a stream in memory, and only
  // when the chunk parses; true then.
  bool FoldFrames();
  void UnfoldFrames() const {
    if (foldedSize_ != 0) UnfoldSavedFrames();
  }
  void UnfoldSavedFrames() const;
  // After a load that failed: the frames it folded, parsed from the stream.
  void UnfoldFromLoadStream();

  mutable TXelAnimationPattern frames_;
  // While the frames are not parsed: where their chunk lies in SavedBytes.
  mutable uint32_t foldedAt_ = 0;
  mutable uint32_t foldedSize_ = 0;
  // The stream a load reads, and where the record began in it, while fields load.
  TStream* loadStream_ = nullptr;
  int64_t loadStart_ = 0;

  // While fields load, Clear makes no default frames: the record's frame list replaces
  // them, and only a record without one gets them afterwards.
  bool loadingFields_ = false;
  bool framesRead_ = false;
};

// Whether a frames chunk of these bytes loads without error.
bool FramesChunkLoads(const uint8_t* bytes, size_t size);

// Loads in place: animations already held keep their objects, and those unchanged
// since they were last parsed are skipped over by their saved bytes.
class TXelAnimation : public TXelCatalog<TXelAnimationItem> {
public:
  TXelAnimation() : TXelCatalog(SInvalidAnimation) {}
  // The clipboard's copies are always parsed and written in full.
  void LoadItemFromStream(int index, TStream& stream) override;
  void SaveItemToStream(int index, TStream& stream) const override;
  void LoadFromStream(TStream& stream) override;
};
