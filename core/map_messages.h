// Texts of the map and map-tree files. "%s" is the file concerned.
#pragma once

inline constexpr const char* SMapHeader = "XelMapUnit";
inline constexpr const char* SMapTreeHeader = "XelMapTree";
inline constexpr const char* SMapTreeFileName = "KOVAX.lmt";

// A map that was read only in part is kept for the author to look at, but saving it
// would replace the file with what little was read.
inline constexpr const char* SPartialMapNotSaved =
    "%s could not be read completely; the map is not saved until the author accepts it";
// A changed map whose working copy is missing or damaged when the maps are saved.
inline constexpr const char* SWorkingCopyUnreadable =
    "The working copy %s could not be read; the project keeps its saved map";
