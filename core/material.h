// Material files (images, music, sounds, movies) are named in the game data by their
// file name without extension and folder. A name is looked for in the project's folder
// of its kind first and in the same folder of the run-time package second; lists show
// the project's names first, then those only the package has, marked " <RTP>".
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Extensions in search order, lower case, without the dot.
inline constexpr const char* ImageExtensions[] = {"bmp", "png", "xyz"};
inline constexpr const char* MusicExtensions[] = {"mid", "wav"};
inline constexpr const char* SoundExtensions[] = {"wav"};
inline constexpr const char* MovieExtensions[] = {"avi", "mpg"};
using TExtensionTable = std::span<const char* const>;

inline constexpr std::string_view RtpSuffix = " <RTP>";
// The name that stands for no music or no sound.
inline constexpr const char* NoMaterialName = "(OFF)";

// Name and Folder are code-page bytes from the data. On success Path is the file on disk
// (project first, then package; within a folder in table order; names matched without
// regard to case). Otherwise Path is empty: a name that finds no file is never a path,
// since it would reach whatever the current folder or the name itself points at. A name
// with a folder part, "." or "..", a control character or a byte the code page cannot
// spell names no material and is never looked up.
bool FindMaterialFile(std::string_view name, std::string_view folder, TExtensionTable extensions,
                      std::string& path);
// The material names of Folder (code-page bytes), each once, sorted with the material
// sort: the project's, then the package's that the project lacks with RtpSuffix.
void ListMaterialFiles(std::vector<std::string>& items, std::string_view folder,
                       TExtensionTable extensions);

// Whether the file name ends in one of Extensions, without regard to case.
bool HasExtension(const std::string& fileName, TExtensionTable extensions);

bool HasRtpSuffix(std::string_view entry);
std::string StripRtpSuffix(std::string_view entry);

// Sorts names as the material lists show them: without regard to case, and with the run
// of digits that ends a name compared as a number, so "B2" comes before "B10" and "B"
// before "B1".
void SortMaterialNames(std::vector<std::string>& names);
