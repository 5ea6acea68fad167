// Texts of the image readers, writers and drawing surfaces, shown to the author as here.
#pragma once

inline constexpr const char* SInvalidPngImage = "Invalid PNG Image";
inline constexpr const char* SUnsupportedPngImage = "Unsupported PNG Image";
// What a damaged PNG shows, after "Invalid PNG Image: ".
inline constexpr const char* SPngCrcError = "CRC error in chunk ";
inline constexpr const char* SPngChecksumError =
    "the Adler-32 checksum of the image data does not match";
inline constexpr const char* SPngDamagedData = "damaged image data: ";
inline constexpr const char* SPngDataWithoutChecksum = "the image data ends before its checksum";
inline constexpr const char* SPngDataEndsEarly = "the image data ends before the last row";
inline constexpr const char* SInvalidXyzImage = "Invalid XYZ Image";
inline constexpr const char* SEmptyBitmap = "Empty Bitmap";
inline constexpr const char* SIllegalImageFormat = "An image format is illegal";
inline constexpr const char* SShortOfResources = "It is short of system resource";
inline constexpr const char* SScanLineOutOfRange =
    "The index of the scanning line exceeded a range";
// Our own texts for BMP files, in the style of the two above.
inline constexpr const char* SInvalidBmpImage = "Invalid BMP Image";
inline constexpr const char* SUnsupportedBmpImage = "Unsupported BMP Image";
