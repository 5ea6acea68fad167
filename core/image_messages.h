// Texts of the image readers, writers and drawing surfaces, shown to the author as here.
#pragma once

inline constexpr const char* SInvalidPngImage = "Invalid PNG Image";
inline constexpr const char* SUnsupportedPngImage = "Unsupported PNG Image";
inline constexpr const char* SInvalidXyzImage = "Invalid XYZ Image";
inline constexpr const char* SEmptyBitmap = "Empty Bitmap";
inline constexpr const char* SIllegalImageFormat = "An image format is illegal";
inline constexpr const char* SShortOfResources = "It is short of system resource";
inline constexpr const char* SScanLineOutOfRange =
    "The index of the scanning line exceeded a range";
// Our own texts for BMP files, in the style of the two above.
inline constexpr const char* SInvalidBmpImage = "Invalid BMP Image";
inline constexpr const char* SUnsupportedBmpImage = "Unsupported BMP Image";
