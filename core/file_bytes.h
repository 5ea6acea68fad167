// Whole-file reads and atomic whole-file writes for the image files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Files above this size are refused rather than read into memory.
inline constexpr uint64_t kMaxReadFileSize = uint64_t(1) << 28;

// The file's bytes; raises EFileError when it cannot be opened or is too large.
std::vector<uint8_t> ReadFileBytes(const std::string& file_name);
// Writes a temporary file in the same folder, flushes it to disk and renames it over
// FileName, so a failure leaves any old file untouched. Raises EFileError.
void WriteFileAtomic(const std::string& file_name, const std::vector<uint8_t>& bytes);
