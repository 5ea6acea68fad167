// Game images loaded by material name (the chipset, character-set and battle graphics).
#pragma once

#include <string>

class TBitmap;
class TGlimraSheet;

// Reads the image of material Name of Folder ("ChipSet", "Battle" ...). A name that finds
// no file raises EFileError "Cannot open file <name>": a name from the data never reaches
// a file outside the material folders.
void LoadMaterialBitmap(TBitmap& bitmap, const std::string& name, const char* folder);

// Clears Sheet, then loads the material into it (nothing more for an empty name). Returns
// whether it loaded; a failure leaves the sheet cleared and is raised only with
// RaiseErrors.
bool LoadMaterialSheet(TGlimraSheet& sheet, const std::string& name, const char* folder,
                       bool raiseErrors);
