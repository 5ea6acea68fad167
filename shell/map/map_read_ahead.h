// The map that the last project had open, read on a thread of its own while the splash
// and the main window are made (as its database is); the map tree view takes it when it
// opens that map from the project.
#pragma once

#include <cstdint>
#include <future>
#include <memory>
#include <string>

#include "core/file_utils.h"

class TXelMap;

class TMapReadAhead {
public:
  // Folder: the project folder as OpenProject will name it (with its trailing separator),
  // or empty for no read.
  explicit TMapReadAhead(const std::string& folder);
  ~TMapReadAhead();
  TMapReadAhead(const TMapReadAhead&) = delete;
  TMapReadAhead& operator=(const TMapReadAhead&) = delete;

  // When the read loaded map Id from File, which is unchanged since, Into takes what was
  // read as LoadProjectMap (Id) would have read it and the result is true; otherwise Into
  // is left as it was, to load the file itself (and report what fails). Waits for the
  // read; only the first call can succeed.
  bool TakeInto(TXelMap& into, int32_t id, const std::string& file);
  void Wait() const;
  // Frees what was read unless it was taken; nothing can be taken afterwards.
  void Discard();

private:
  struct TRead {
    int32_t Id = -1;
    std::string File;
    TFileStamp Stamp;
    std::unique_ptr<TXelMap> Map; // none when the read failed
  };
  std::future<TRead> read_;
};

// The read-ahead of this run, or nothing.
extern TMapReadAhead* MapReadAhead;
