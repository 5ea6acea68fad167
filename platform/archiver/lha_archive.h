// Writing and checking whole archives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/archiver/lha_header.h"
#include "platform/archiver/list_file.h"

// A member as it lies in an archive: its header and where header and data begin.
struct TArchiveMember {
  TLhaMember Header;
  size_t Offset = 0;
  size_t Size = 0; // header and packed data
};

// The members of the archive bytes, up to the end mark or the end of the data. Raises
// EArchiverError (UnlhaBadArchive) for anything that is not a well-formed member.
std::vector<TArchiveMember> ScanArchive(const uint8_t* data, size_t size);

// Scans the archive and unpacks every stored and -lh5- member, checking its size and CRC.
// Members of other methods are only scanned. Raises EArchiverError (UnlhaCheckFailed).
std::vector<TArchiveMember> CheckArchive(const uint8_t* data, size_t size);

// Adds Sources to the archive at ArchivePath, made when it does not exist. Members of an
// existing archive stay where they are unless a source of the same path (ignoring case)
// replaces them; new ones follow. The archive is written beside its place under a
// temporary name, read back and checked, and only then put in place, so a failure leaves
// any old archive untouched. Returns the number of members. Raises EArchiverError.
size_t AddToArchive(const std::string& archivePath, const std::vector<TArchiveSource>& sources);
