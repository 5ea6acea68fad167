// Texts of the material manager, shown to the author exactly as here.
#pragma once

inline constexpr const char* SMaterialBaseCaption = "RAW Materials Settings";
inline constexpr const char* SMaterialBase2Caption = "Material Base";
inline constexpr const char* SMaterialImportTitle = "Import";
inline constexpr const char* SMaterialExportTitle = "Export";
inline constexpr const char* SMaterialImportButton = "Import...";
inline constexpr const char* SMaterialExportButton = "Export...";
inline constexpr const char* SMaterialDeleteButton = "Delete...";
inline constexpr const char* SMaterialImportFrom = "Import from";
inline constexpr const char* SMaterialFormatPng = "PNG (Default)";
inline constexpr const char* SMaterialFormatXyz = "XYZ (Orig.)";
inline constexpr const char* SMaterialClose = "&Close";
inline constexpr const char* SMaterialHelp = "&Help";
inline constexpr const char* SMaterialOk = "&Ok";
inline constexpr const char* SMaterialZoomIn = "Zoom In";
inline constexpr const char* SMaterialZoomOut = "Zoom Out";

inline constexpr const char* SIllegalImageSize =
    "The image size (not filesize) of the bitmap is illegal";
// Follows SIllegalImageSize: the picture's size, the folder and the size it takes.
inline constexpr const char* SIllegalImageSizeDetail = ": it is %d x %d; the %s folder takes %s.";
inline constexpr const char* SImageSizeExactly = "%d x %d";
inline constexpr const char* SImageSizeAtMost = "at most %d x %d";
inline constexpr const char* SImageSizeBetween = "%d x %d up to %d x %d";
// An image to import that cannot be read: the file name, what it really holds, and the
// reader's own message for a damaged image of a known kind.
inline constexpr const char* SImportUnreadableImage =
    "Cannot import \"%s\": it holds %s that cannot be read (%s).";
inline constexpr const char* SImportNotAnImage =
    "Cannot import \"%s\": it holds %s, not a BMP, PNG or XYZ image.";
// "%s" is the file name with its extension.
inline constexpr const char* SEraseMaterialQuestion = "Do you want to erase '%s'?";
inline constexpr const char* SCannotDeleteFile = "Can't delete file";
// After an import whose file is hidden by an older one of the same name: "%s" is the
// older file, which the game and the editor keep finding first.
inline constexpr const char* SImportShadowed =
    "The imported file is not used while '%s' exists in the same folder: "
    "that file is found first under this name.";

// File dialog filters: pairs of a description and its patterns, each ended by '|'.
inline constexpr const char* SFilterMovieImport = "Movie file (*.avi;*.mpg)|*.avi;*.mpg|";
inline constexpr const char* SFilterMusicImport = "MIDI file (*.mid)|*.mid|WAV file (*.wav)|*.wav|";
inline constexpr const char* SFilterWav = "WAV file (*.wav)|*.wav|";
inline constexpr const char* SFilterImageImport =
    "Image files (*.bmp;*.png;*.xyz)|*.bmp;*.png;*.xyz|";
inline constexpr const char* SFilterAvi = "AVI file (*.avi)|*.avi|";
inline constexpr const char* SFilterMpeg = "MPEG file (*.mpg)|*.mpg|";
inline constexpr const char* SFilterMidi = "MIDI file (*.mid)|*.mid|";
inline constexpr const char* SFilterImageExport =
    "BMP file (*.bmp)|*.bmp|PNG file (*.png)|*.png|XYZ file (*.xyz)|*.xyz|";
