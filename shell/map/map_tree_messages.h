// Texts of the map tree window, exactly as the author sees them.
#pragma once

inline constexpr const char* SMapTreeUnreadable =
    "Error in KOVAX.lmt, the Map Tree file. This project is probably protected, and can't be "
    "read";
inline constexpr const char* SDeleteMapQuery = "Delete %s. Ok?";
// Default names of new maps and areas, from their Ids.
inline constexpr const char* SDefaultMapName = "MAP%.4d";
inline constexpr const char* SDefaultAreaName = "AREA%.4d";

// Popup menu items.
inline constexpr const char* SMenuNewMap = "Create &New Map...";
inline constexpr const char* SMenuPaste = "&Paste";
inline constexpr const char* SMenuMapProperties = "&Map Properties...";
inline constexpr const char* SMenuNewArea = "Create New &Area...";
inline constexpr const char* SMenuCopy = "&Copy";
inline constexpr const char* SMenuDelete = "&Delete...";
inline constexpr const char* SMenuShiftMap = "&Shift Map...";
inline constexpr const char* SMenuAreaProperties = "A&rea Properties...";
