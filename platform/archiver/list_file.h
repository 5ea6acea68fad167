// The list file of the add command: one entry a line. A line in double quotes sets the
// base folder for the lines after it; the others name files or folders relative to it,
// with the wildcards '?' and '*' in their last part.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TListLine {
  bool IsBase = false;
  // The base folder or the entry, with '/' between folders.
  std::string Text;
};

// Lines end in LF or CRLF; blank lines are dropped and entries trimmed of outer blanks.
std::vector<TListLine> ParseListFile(std::string_view text);

// Whether Name matches Pattern as the Windows file system would match it: '?' is one
// character, '*' any run of them, and letters match either case within the code page.
bool MatchWildcard(std::string_view pattern, std::string_view name);

// One thing to store, found on disk by the list.
struct TArchiveSource {
  std::string DiskPath;
  // The path inside the archive, in UTF-8 with '/' between folders.
  std::string Name;
  bool IsFolder = false;
};

// What the lines name on disk, in list order. A name without wildcards that is not
// spelled as on disk is matched ignoring case; an entry that matches nothing is skipped,
// as is one that would climb out of its base folder with ".." or that holds a NUL. With Recurse a
// folder brings everything in it along, each folder as an entry of its own. A path that comes again
// (ignoring case) replaces the earlier one in its place.
std::vector<TArchiveSource> CollectSources(const std::vector<TListLine>& lines, bool recurse);
