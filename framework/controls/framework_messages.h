// The framework's part of the string table: texts shown to the author exactly as here.
#pragma once

// The application title that captions every message box.
inline constexpr const char* SApplicationTitle = "Velmora Studio ";

// Shown by the error guard for a failure that carries no text of its own.
inline constexpr const char* SUnknownError = "An unexpected error occurred";
// Shown for a failed allocation before the run ends.
inline constexpr const char* SShortOfMemory = "It is short of memory";

// Shown for a help request when no help page is installed.
inline constexpr const char* SHelpNotInstalled =
    "Help is not installed. This editor comes without help pages.";

// Joins the two ends of an integer range, as in "3-7".
inline constexpr const char* SIntRangeSeparator = "-";
