// Maps: a grid of cells in two layers, the map's settings and its events, saved in a
// file of their own ("Map%.4d.lmu": the string "XelMapUnit", then the map's record).
// The project keeps its copy in the project folder; while a map is being edited its
// working copy lives in the working folder.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/catalog_item.h"
#include "core/map_event.h"
#include "core/map_graphics.h"
#include "core/map_layer.h"

// Upper bound of Width x Height for a map read from a file.
inline constexpr int64_t MaxMapCells = int64_t(1) << 22;

// "Map%.4d.lmu" for the map Id.
std::string MapFileName(int32_t id);
// The project copy (ProjectPath, matched without regard to case) and the working copy.
std::string ProjectMapPath(int32_t id);
std::string TempMapPath(int32_t id);

// What every map unit has: the Modified mark and its file form.
class TXelBaseMapUnit : public TCatalogItem {
public:
  explicit TXelBaseMapUnit(int32_t id) : TCatalogItem(id) {}

  // Clear, then the file. Outside editor mode every failure is raised. In editor mode a
  // missing file leaves the cleared map; a file that fails to load keeps what was read,
  // and LoadError says why until the author accepts the map (saving refuses till then).
  virtual void LoadFromFile(const std::string& fileName);
  // Writes the file atomically and clears Modified.
  virtual void SaveToFile(const std::string& fileName);

  // The header string, then the record. Raises EReadError on a wrong header or record.
  void LoadFromFileStream(TStream& stream);
  void SaveToFileStream(TStream& stream) const;
  // Reads the file, raising on any failure (a missing file included) whatever the mode.
  void LoadFromFileStrict(const std::string& fileName);

  bool IsLoadFailed() const { return !LoadError.empty(); }
  // The author's say to keep a map that was read only in part: it may be saved again.
  void AcceptPartialMap() { LoadError.clear(); }

  bool Modified = false;
  // Why the last load in editor mode stopped; empty when it did not.
  std::string LoadError;

protected:
  // The record as SaveToStream writes it, handed on field by field as SaveFieldsTo does.
  virtual void SaveRecord(TStream& stream, const TFieldWriter& writer) const {
    SaveFieldsTo(stream, writer);
  }

private:
  // The width of each long list's length (by field id) in the last save to a file: the
  // next save writes the list in parts behind room that wide.
  std::vector<std::pair<int, int>> listLengthWidths_;
};

class TXelMap : public TXelBaseMapUnit {
public:
  explicit TXelMap(int32_t id = 0);
  ~TXelMap() override;

  void GetVarData(int id, TCatalogVarData& d, bool forLoad) override;
  int LastFieldId() const override { return 91; }
  // Modified 0, chipset 1, 20 x 15, no scrolling, no panorama, both layers reset, no
  // events, SaveCount 0.
  void Clear() override;
  // Raises EReadError for a size below 1 x 1 or above MaxMapCells, and for a layer that
  // is missing or whose cells are not exactly Width x Height; the map then has the
  // default size and is still consistent.
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override { SaveRecord(stream, {}); }

  // Also rebuilds the graphics: wrap from the scroll type, the chipset, the character
  // sets of the events.
  void LoadFromFile(const std::string& fileName) override;
  // SaveCount + 1, then the file.
  void SaveToFile(const std::string& fileName) override;
  // As LoadFromFile of the file that Loaded read with LoadFromFileStrict (a read made
  // ahead, on another thread): takes what Loaded read in exchange for this map's content,
  // then rebuilds the graphics. The Id, the graphics and what the saves keep stay this
  // map's.
  void TakeLoaded(TXelMap& loaded);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Both layers resized.
  void SetWidth(int width);
  void SetHeight(int height);
  bool IsLoopHorizontal() const { return ScrollType == 2 || ScrollType == 3; }
  bool IsLoopVertical() const { return ScrollType == 1 || ScrollType == 3; }
  // Also the wrap flags of both layers.
  void SetScrollType(uint8_t scrollType);
  // Modified 0, Id 0, size 0 x 0, no events, chipset 0.
  void Unload();
  // Moves both layers and every event by (DX, DY) cells, wrapping around the edges.
  void Shift(int dx, int dy);

  // The chipset graphic rebuilt from the database's chipset ChipSetId.
  void ReloadChipSet();
  void ClearChipSetGraphic();
  // The character-set cache brought to the graphic names of the event pages.
  void LoadCharSets();
  TMapGraphics& Graphics() { return *graphics_; }

  // Each ends with SetId(Id).
  void LoadProjectMap(int32_t id);
  void SaveProjectMap(int32_t id);
  void DeleteProjectMap(int32_t id);
  void LoadTempMap(int32_t id);
  void SaveTempMap(int32_t id);
  void DeleteTempMap(int32_t id);

  int32_t ChipSetId;
  uint8_t ScrollType; // 0 none, 1 vertical loop, 2 horizontal loop, 3 both
  uint8_t UsePanorama;
  std::string PanoramaName;
  uint8_t HorizontalPan;
  uint8_t VerticalPan;
  uint8_t HorizontalAutoScroll;
  int32_t HorizontalSpeed;
  uint8_t VerticalAutoScroll;
  int32_t VerticalSpeed;
  int32_t SaveCount; // saves of this map so far
  TXelMapLayer LowerLayer;
  TXelMapLayer UpperLayer;
  TXelEvent Events;

protected:
  // Refuses (an internal error) layers that differ from the map's size.
  void SaveRecord(TStream& stream, const TFieldWriter& writer) const override;

private:
  // The layer chunks of a load are read here and moved into the layers once the size
  // is known; makes both layers Width x Height whatever happened, and tells whether the
  // loaded sizes and cells were consistent.
  bool SettleLoadedLayers();
  void RebuildChipSetGraphic();

  int32_t width_;
  int32_t height_;
  std::vector<uint8_t> loadedCells_[2];
  bool layerLoaded_[2] = {false, false};
  std::unique_ptr<TMapGraphics> graphics_;
};
