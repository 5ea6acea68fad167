// The one way the editor replaces a file: the bytes go to a temporary file in the same
// folder, are flushed to the disk, and only then renamed over the target. A save that
// fails half-way therefore never leaves a damaged file behind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Raises EFileError or EWriteError on failure; the old file, if any, is then untouched
// and no temporary file is left. A file that existed keeps its permission bits.
void WriteFileAtomically(const std::string& path, std::string_view bytes);
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

// Fills Message's "%s" with Path (the texts of file_messages.h).
std::string FileMessage(const char* message, const std::string& path);
