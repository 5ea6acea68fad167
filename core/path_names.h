// The parts of a path and the texts that name one; plain string work, no file access.
#pragma once

#include <string>

// Path unchanged when it ends in a separator, else Path + "/" (so "" becomes "/").
std::string IncludeTrailingBackslash(const std::string& path);
// The part after the last separator, and the part up to and including it.
std::string ExtractFileName(const std::string& path);
std::string ExtractFilePath(const std::string& path);
// The extension with its dot ("" when none); only the file name part is looked at.
std::string ExtractFileExt(const std::string& path);
// Path with its extension replaced by Ext (which carries its dot), or Ext appended.
std::string ChangeFileExt(const std::string& path, const std::string& ext);

// Fills Message's "%s" with Path (the texts of file_messages.h).
std::string FileMessage(const char* message, const std::string& path);
