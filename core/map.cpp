#include "core/map.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

#include "core/atomic_file.h"
#include "core/busy_cursor.h"
#include "core/chipset_record.h"
#include "core/database_tables.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "core/file_messages.h"
#include "core/file_utils.h"
#include "core/map_messages.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/stream.h"
#include "core/var_int.h"

static_assert(std::endian::native == std::endian::little,
              "layer cells are copied as little-endian 16-bit values");

namespace {

// Map files are a few megabytes at the very most; anything far beyond is not a map.
constexpr uint64_t MaxMapFileBytes = uint64_t(256) << 20;

// A save hands on to the disk what it has built once it is at least this long: parts
// short enough that the last one, which the save waits for, is quickly written.
constexpr size_t HandOnBytes = size_t(128) << 10;

// A fixed field this long (a layer) goes to the file from its own memory.
constexpr int32_t LargeFieldBytes = 64 << 10;

constexpr int LowerLayerId = 71;
constexpr int UpperLayerId = 72;

// V mod Size in 0..Size-1 for any V (Size > 0).
int32_t Wrap(int64_t v, int32_t size) {
  const int64_t r = v % size;
  return static_cast<int32_t>(r < 0 ? r + size : r);
}

void ShiftLayer(TXelMapLayer& layer, int dx, int dy) {
  const int w = layer.Width(), h = layer.Height();
  if (w <= 0 || h <= 0) return;
  const std::vector<uint16_t> source = layer.Cells();
  const int sx = Wrap(dx, w), sy = Wrap(dy, h);
  uint16_t* cells = layer.CellData();
  for (int y = 0; y < h; ++y) {
    const uint16_t* from = source.data() + size_t(Wrap(int64_t(y) - sy, h)) * size_t(w);
    uint16_t* to = cells + size_t(y) * size_t(w);
    // Cell x takes source x - sx: the row rotated right by sx.
    std::copy(from, from + (w - sx), to + sx);
    std::copy(from + (w - sx), from + w, to);
  }
}

// Writes a map's file in parts as they are complete (the layers, then the events a few at
// a time) so that the disk's work overlaps building the rest and the save waits only for
// the last part. The layers go from their own memory, not copied into the stream.
class TMapFileParts {
public:
  TMapFileParts(TFileFeed& feed, TMemoryStream& stream, std::vector<std::pair<int, int>>& widths,
                bool inParts)
      : feed_(feed), stream_(stream), widths_(widths), inParts_(inParts) {}

  // As SaveFieldsTo's writer: true for a field written here.
  bool Field(int id, const TCatalogVarData& field) {
    HandOn({}, false);
    if (field.Kind == ckFixed && field.Size >= LargeFieldBytes) {
      WriteChunkHead(stream_, id, uint32_t(field.Size));
      HandOn({static_cast<const uint8_t*>(field.Data), size_t(field.Size)}, true);
      return true;
    }
    if (field.Kind != ckCatalog) return false;
    const auto* list = static_cast<const TNestedList*>(field.Data);
    const int width = inParts_ ? WidthOf(id) : 0;
    if (width < 3) {
      // A short list, or one not saved before, is written whole, in place; the width of
      // its length is kept for the next save.
      const int written =
          WriteChunkInPlace(stream_, uint32_t(id), [&](TStream& to) { list->SaveToStream(to); });
      if (written == 0) return false;
      Keep(id, written);
      return true;
    }
    uint8_t head[5];
    stream_.WriteBuffer(head, size_t(EncodeVarInt(uint32_t(id), head)));
    const int64_t at = End();
    stream_.WriteBuffer(head, size_t(width)); // room for the length, put in below
    list->SaveItemsTo(stream_, [this] { HandOn({}, false); });
    const uint32_t length = uint32_t(End() - at - width);
    const int needed = EncodeVarInt(length, head);
    Keep(id, needed);
    if (needed != width) {
      missed_ = true;
      return true;
    }
    if (at < feed_.Written()) {
      feed_.Patch(at, {head, size_t(width)});
      return true;
    }
    stream_.SetPosition(at - feed_.Written());
    stream_.WriteBuffer(head, size_t(width));
    stream_.SetPosition(stream_.GetSize());
    return true;
  }

  // Hands what the stream holds, then Large, to the file: always, or once enough is there.
  void HandOn(std::span<const uint8_t> large, bool always) {
    if (!always && size_t(stream_.GetSize()) < HandOnBytes) return;
    feed_.Write({stream_.Memory(), size_t(stream_.GetSize())}, large);
    stream_.SetSize(0);
  }

  // A list's length needed another width than was left for it.
  bool Missed() const { return missed_; }

private:
  int64_t End() const { return feed_.Written() + stream_.GetSize(); }
  int WidthOf(int id) const {
    for (const auto& [field, width] : widths_)
      if (field == id) return width;
    return 0;
  }
  void Keep(int id, int width) {
    for (auto& [field, kept] : widths_)
      if (field == id) return void(kept = width);
    widths_.emplace_back(id, width);
  }

  TFileFeed& feed_;
  TMemoryStream& stream_;
  std::vector<std::pair<int, int>>& widths_;
  bool inParts_;
  bool missed_ = false;
};

void RemoveFile(const std::string& path) {
  unlink(path.c_str());
}

} // namespace

std::string MapFileName(int32_t id) {
  char name[32];
  std::snprintf(name, sizeof name, "Map%.4d.lmu", id);
  return name;
}

std::string ProjectMapPath(int32_t id) {
  return ResolvePath(ProjectPath + MapFileName(id)).Path;
}

std::string TempMapPath(int32_t id) {
  return GetWorkingFolder() + MapFileName(id);
}

// --- TXelBaseMapUnit ---

void TXelBaseMapUnit::LoadFromFileStream(TStream& stream) {
  if (ReadVarString(stream) != SMapHeader) throw EReadError();
  LoadFromStream(stream);
}

void TXelBaseMapUnit::SaveToFileStream(TStream& stream) const {
  WriteVarString(stream, SMapHeader);
  SaveRecord(stream, {});
}

void TXelBaseMapUnit::LoadFromFileStrict(const std::string& fileName) {
  std::vector<uint8_t> bytes;
  if (!ReadFileBytes(fileName, bytes, MaxMapFileBytes))
    throw EFileError(FileMessage(SCannotOpenFile, fileName));
  TMemoryStream stream(std::move(bytes)); // lent, not copied
  LoadFromFileStream(stream);
}

void TXelBaseMapUnit::LoadFromFile(const std::string& fileName) {
  Clear();
  LoadError.clear();
  if (IsEditorMode() && !FileExists(fileName)) return;
  try {
    LoadFromFileStrict(fileName);
  } catch (const Exception& e) {
    if (!IsEditorMode()) throw;
    // Keep what was read so the author can see it, but remember that the file holds
    // more than this: saving it back would lose the rest.
    LoadError = FileMessage(SPartialMapNotSaved, ExtractFileName(fileName)) + "\n" + e.what();
  }
}

void TXelBaseMapUnit::SaveToFile(const std::string& fileName) {
  if (IsLoadFailed()) throw Exception(LoadError);
  // One stream written over by every save, keeping its spare room: its memory is
  // already there and need not be zeroed again.
  thread_local TMemoryStream stream;
  WriteFileAtomicallyWith(fileName, [&](int fd) {
    TFileFeed feed(fd);
    // A list whose length turns out wider than the last save's is written again whole.
    for (const bool inParts : {true, false}) {
      if (!inParts && !feed.Restart()) return false;
      stream.SetSize(0);
      TMapFileParts parts(feed, stream, listLengthWidths_, inParts);
      WriteVarString(stream, SMapHeader);
      SaveRecord(stream,
                 [&](int id, const TCatalogVarData& field) { return parts.Field(id, field); });
      parts.HandOn({}, true);
      if (!parts.Missed()) break;
    }
    return feed.Finish();
  });
  Modified = false;
}

// --- TXelMap ---

TXelMap::TXelMap(int32_t id)
    : TXelBaseMapUnit(id), LowerLayer(0), UpperLayer(10000), graphics_(CreateMapGraphics()) {
  TXelMap::Clear();
}

TXelMap::~TXelMap() = default;

void TXelMap::GetVarData(int id, TCatalogVarData& d, bool forLoad) {
  switch (id) {
  case 1:
    d.Int(&ChipSetId, 1);
    break;
  case 2:
    d.Int(&width_, DefaultMapWidth);
    break;
  case 3:
    d.Int(&height_, DefaultMapHeight);
    break;
  case 11:
    d.Fixed(&ScrollType, 1);
    break;
  case 31:
    d.Byte(&UsePanorama, 0);
    break;
  case 32:
    d.Str(&PanoramaName, true);
    break;
  case 33:
    d.Byte(&HorizontalPan, 0);
    break;
  case 34:
    d.Byte(&VerticalPan, 0);
    break;
  case 35:
    d.Byte(&HorizontalAutoScroll, 0);
    break;
  case 36:
    d.Int(&HorizontalSpeed, 0);
    break;
  case 37:
    d.Byte(&VerticalAutoScroll, 0);
    break;
  case 38:
    d.Int(&VerticalSpeed, 0);
    break;
  case LowerLayerId:
  case UpperLayerId: {
    const int k = id - LowerLayerId;
    if (forLoad) {
      // Taken whole; SettleLoadedLayers checks it against the size once all is read.
      layerLoaded_[k] = true;
      d.Blob(&loadedCells_[k], 0);
    } else {
      TXelMapLayer& layer = k == 0 ? LowerLayer : UpperLayer;
      d.Fixed(layer.CellData(), static_cast<int32_t>(layer.Cells().size() * 2));
    }
    break;
  }
  case 81:
    d.Catalog(&Events);
    break;
  case 91:
    d.Int(&SaveCount, 0);
    break;
  default:
    break;
  }
}

void TXelMap::Clear() {
  Modified = false;
  LoadError.clear();
  ClearFields<TXelMap>();
  LowerLayer.Reset();
  UpperLayer.Reset();
  // No scrolling, so no wrap either.
  SetScrollType(0);
}

bool TXelMap::SettleLoadedLayers() {
  const int64_t cells = int64_t(width_) * int64_t(height_);
  bool ok = width_ >= 1 && height_ >= 1 && cells <= MaxMapCells;
  // The cells read are checked against the size before the layers are sized for it, so a
  // small file that declares a huge map costs no more than its own bytes: a map that
  // fails falls back to the default size. Every saved map holds both layers, so a layer
  // that is missing fails the map too.
  for (int k = 0; k < 2; ++k)
    if (ok && (!layerLoaded_[k] || loadedCells_[k].size() != uint64_t(cells) * 2)) ok = false;
  if (!ok) {
    width_ = DefaultMapWidth;
    height_ = DefaultMapHeight;
  }
  for (int k = 0; k < 2; ++k) {
    TXelMapLayer& layer = k == 0 ? LowerLayer : UpperLayer;
    if (ok) {
      // The bytes read stay for the next load, which then reads over them without
      // zeroing them first.
      layer.LoadCells(width_, height_, loadedCells_[k].data());
    } else {
      std::vector<uint8_t>().swap(loadedCells_[k]);
      layer.Resize(0, 0); // then a fresh grid of FillValue, with nothing to copy
      layer.Resize(width_, height_);
    }
    layerLoaded_[k] = false;
  }
  return ok;
}

void TXelMap::LoadFromStream(TStream& stream) {
  for (int k = 0; k < 2; ++k)
    layerLoaded_[k] = false;
  try {
    TXelBaseMapUnit::LoadFromStream(stream);
  } catch (...) {
    SettleLoadedLayers();
    throw;
  }
  if (!SettleLoadedLayers()) throw EReadError();
}

void TXelMap::SaveRecord(TStream& stream, const TFieldWriter& writer) const {
  const size_t cells = size_t(std::max(width_, 0)) * size_t(std::max(height_, 0));
  XelAssert(LowerLayer.Cells().size() == cells && UpperLayer.Cells().size() == cells,
            "map layers differ from the map size", "map", __LINE__);
  TXelBaseMapUnit::SaveRecord(stream, writer);
}

void TXelMap::LoadFromFile(const std::string& fileName) {
  std::optional<TBusyCursor> busy;
  if (IsEditorMode()) busy.emplace();
  TXelBaseMapUnit::LoadFromFile(fileName);
  SetScrollType(ScrollType);
  RebuildChipSetGraphic();
  LoadCharSets();
}

void TXelMap::SaveToFile(const std::string& fileName) {
  ++SaveCount;
  try {
    TXelBaseMapUnit::SaveToFile(fileName);
  } catch (...) {
    --SaveCount; // nothing was saved
    throw;
  }
}

void TXelMap::TakeLoaded(TXelMap& loaded) {
  // Every field a load reads (those GetVarData names), the size and both layers.
  std::swap(ChipSetId, loaded.ChipSetId);
  std::swap(width_, loaded.width_);
  std::swap(height_, loaded.height_);
  std::swap(ScrollType, loaded.ScrollType);
  std::swap(UsePanorama, loaded.UsePanorama);
  PanoramaName.swap(loaded.PanoramaName);
  std::swap(HorizontalPan, loaded.HorizontalPan);
  std::swap(VerticalPan, loaded.VerticalPan);
  std::swap(HorizontalAutoScroll, loaded.HorizontalAutoScroll);
  std::swap(HorizontalSpeed, loaded.HorizontalSpeed);
  std::swap(VerticalAutoScroll, loaded.VerticalAutoScroll);
  std::swap(VerticalSpeed, loaded.VerticalSpeed);
  std::swap(SaveCount, loaded.SaveCount);
  LowerLayer.SwapCells(loaded.LowerLayer);
  UpperLayer.SwapCells(loaded.UpperLayer);
  Events.SwapItems(loaded.Events);
  // A strict load that returned read the whole file.
  Modified = false;
  LoadError.clear();
  SetScrollType(ScrollType);
  RebuildChipSetGraphic();
  LoadCharSets();
}

void TXelMap::SetWidth(int width) {
  LowerLayer.SetWidth(width);
  UpperLayer.SetWidth(width);
  width_ = LowerLayer.Width();
}

void TXelMap::SetHeight(int height) {
  LowerLayer.SetHeight(height);
  UpperLayer.SetHeight(height);
  height_ = LowerLayer.Height();
}

void TXelMap::SetScrollType(uint8_t scrollType) {
  ScrollType = scrollType;
  const uint8_t wrapX = IsLoopHorizontal() ? 1 : 0;
  const uint8_t wrapY = IsLoopVertical() ? 1 : 0;
  LowerLayer.WrapX = UpperLayer.WrapX = wrapX;
  LowerLayer.WrapY = UpperLayer.WrapY = wrapY;
}

void TXelMap::Unload() {
  Modified = false;
  LoadError.clear();
  SetId(0);
  width_ = 0;
  height_ = 0;
  LowerLayer.Resize(0, 0);
  UpperLayer.Resize(0, 0);
  Events.Clear();
  ChipSetId = 0;
}

void TXelMap::Shift(int dx, int dy) {
  if (width_ <= 0 || height_ <= 0) return;
  ShiftLayer(LowerLayer, dx, dy);
  ShiftLayer(UpperLayer, dx, dy);
  for (int i = 0; i < Events.GetCount(); ++i) {
    TXelEventItem* event = Events.Items(i);
    event->X = Wrap(int64_t(event->X) + dx, width_);
    event->Y = Wrap(int64_t(event->Y) + dy, height_);
  }
}

void TXelMap::RebuildChipSetGraphic() {
  // Without a database there is no chipset to bind.
  const TXelChipSetItem* chipSet = ChipSetList ? ChipSetList->GetItemById(ChipSetId) : nullptr;
  graphics_->ReloadChipSet(chipSet);
}

void TXelMap::ReloadChipSet() {
  std::optional<TBusyCursor> busy;
  if (IsEditorMode()) busy.emplace();
  RebuildChipSetGraphic();
}

void TXelMap::ClearChipSetGraphic() {
  graphics_->ClearChipSetGraphic();
}

void TXelMap::LoadCharSets() {
  graphics_->MarkAllCharSetsUnused();
  for (int i = 0; i < Events.GetCount(); ++i) {
    const TXelEventPage& pages = Events.Items(i)->Pages;
    for (int k = 0; k < pages.GetCount(); ++k) {
      const std::string& name = pages.Items(k)->GraphicName;
      if (!name.empty()) graphics_->LoadCharSet(name);
    }
  }
  graphics_->PurgeUnusedCharSets();
}

void TXelMap::LoadProjectMap(int32_t id) {
  LoadFromFile(ProjectMapPath(id));
  SetId(id);
}

void TXelMap::SaveProjectMap(int32_t id) {
  SaveToFile(ProjectMapPath(id));
  SetId(id);
}

void TXelMap::DeleteProjectMap(int32_t id) {
  RemoveFile(ProjectMapPath(id));
  SetId(id);
}

void TXelMap::LoadTempMap(int32_t id) {
  LoadFromFile(TempMapPath(id));
  SetId(id);
}

void TXelMap::SaveTempMap(int32_t id) {
  ForceDirectories(GetWorkingFolder(), 0700);
  SaveToFile(TempMapPath(id));
  SetId(id);
}

void TXelMap::DeleteTempMap(int32_t id) {
  RemoveFile(TempMapPath(id));
  SetId(id);
}
