#include "shell/map/map_read_ahead.h"

#include "core/map.h"
#include "core/map_messages.h"
#include "core/map_tree.h"
#include "core/path_resolver.h"

TMapReadAhead* MapReadAhead = nullptr;

TMapReadAhead::TMapReadAhead(const std::string& folder) {
  if (folder.empty()) return;
  read_ = std::async(std::launch::async | std::launch::deferred, [folder] {
    TRead read;
    try {
      const int32_t id = OpenMapIdOfTreeFile(ResolvePath(folder + SMapTreeFileName).Path);
      if (id < 0) return read;
      read.File = ResolvePath(folder + MapFileName(id)).Path;
      read.Stamp = GetFileStamp(read.File);
      auto map = std::make_unique<TXelMap>();
      map->LoadFromFileStrict(read.File);
      // Replaced while it was read: the project's own load reads it again.
      if (!(GetFileStamp(read.File) == read.Stamp)) return TRead{};
      read.Id = id;
      read.Map = std::move(map);
    } catch (...) {
      // The project's own load reads it again and reports why it fails.
      return TRead{};
    }
    return read;
  });
}

// The future waits for a read that runs on its own thread.
TMapReadAhead::~TMapReadAhead() = default;

void TMapReadAhead::Wait() const {
  if (read_.valid()) read_.wait();
}

void TMapReadAhead::Discard() {
  read_ = {};
}

bool TMapReadAhead::TakeInto(TXelMap& into, int32_t id, const std::string& file) {
  if (!read_.valid()) return false;
  TRead read = read_.get();
  if (!read.Map || read.Id != id || read.File != file) return false;
  try {
    if (!(GetFileStamp(file) == read.Stamp)) return false;
  } catch (const std::exception&) {
    return false;
  }
  into.TakeLoaded(*read.Map);
  into.SetId(id);
  return true;
}
