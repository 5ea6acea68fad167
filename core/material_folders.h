// The fourteen material folders of a project and of the run-time package, in the order
// projects create them and lists show them.
#pragma once

#include "core/material.h"

inline constexpr const char* MaterialFolderNames[] = {
    "Backdrop", "Battle", "CharSet",  "ChipSet", "FaceSet", "GameOver", "Monster",
    "Movie",    "Music",  "Panorama", "Picture", "Sound",   "System",   "Title"};
inline constexpr int MaterialFolderCount = 14;
static_assert(sizeof(MaterialFolderNames) / sizeof(MaterialFolderNames[0]) == MaterialFolderCount);
// The extensions of each folder's files, by the folder's kind: what lookups find there
// and what the material manager imports.
inline constexpr TExtensionTable MaterialFolderExtensions[MaterialFolderCount] = {
    ImageExtensions, ImageExtensions, ImageExtensions, ImageExtensions, ImageExtensions,
    ImageExtensions, ImageExtensions, MovieExtensions, MusicExtensions, ImageExtensions,
    ImageExtensions, SoundExtensions, ImageExtensions, ImageExtensions};
