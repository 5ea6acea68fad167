// The one way the editor replaces a file: the bytes go to a temporary file in the same
// folder, are flushed to the disk, and only then renamed over the target. A save that
// fails half-way therefore never leaves a damaged file behind.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Raises EFileError or EWriteError on failure; the old file, if any, is then untouched
// and no temporary file is left. A file that existed keeps its permission bits.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);
// The same for content written by Fill onto the open temporary file (false: it could not
// write), so large files need not be held in memory. Mode, when given, becomes the new
// file's permission bits.
void WriteFileAtomicallyWith(const std::string& path, const std::function<bool(int fd)>& fill,
                             std::optional<unsigned> mode = std::nullopt);

// Writes a file in parts as they are complete. The writing itself, and asking the disk
// to start on each part at once, happen on a thread of the feed's own, so that building
// the rest overlaps both (the final sync still waits for all of it). For use inside
// WriteFileAtomicallyWith's Fill, whose result is Finish's.
class TFileFeed {
public:
  explicit TFileFeed(int fd);
  ~TFileFeed(); // waits for what was handed on
  TFileFeed(const TFileFeed&) = delete;
  TFileFeed& operator=(const TFileFeed&) = delete;

  // Writes First and then Second. First is copied; Second is only lent, and must stay as
  // it is until Finish. False, now and for every later part, once a write has failed:
  // nothing more is written then.
  bool Write(std::span<const uint8_t> first, std::span<const uint8_t> second = {});
  // Puts Bytes over what was written at Offset before.
  bool Patch(int64_t offset, std::span<const uint8_t> bytes);
  // Empties the file, for the whole to be written again.
  bool Restart();
  // Waits until everything handed on is written; true if all of it was.
  bool Finish();
  // False once a write is known to have failed.
  bool Ok() const;
  // What was handed on so far.
  int64_t Written() const { return written_; }

private:
  class TWriter;
  TWriter& Writer();

  int fd_;
  int64_t written_ = 0;
  bool refused_ = false;
  std::unique_ptr<TWriter> writer_;
};

// Cuts FileName into pieces of FirstSize bytes (the first) and OtherSize bytes (the
// others; the last one holds what remains), written to DestFolder as the file's name
// with the extension ".001", ".002" and so on. Returns the number of pieces. Raises
// EFileError for a piece size of 0 and on any read or write error.
int SplitFileToPieces(const std::string& fileName, const std::string& destFolder, int64_t firstSize,
                      int64_t otherSize);

// For the name (without folder) of a temporary file that a save of ours writes beside its
// target (one left behind by a save that was interrupted), the target's name; empty for
// any other name.
std::string_view AtomicTemporaryTarget(std::string_view name);