// The command line of the archiver's entry point. One command is understood:
//   a [switches] <archive> @<list file> ...
// which adds what the list files name to a new or existing archive. Arguments may be
// quoted, the list file's name too (@"name" or "@name"). The switches: -r2 recurses into
// listed folders and stores the folders themselves; -+ and -d are accepted and change
// nothing. Any other switch is an error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TUnlhaCommand {
  std::string Archive;
  std::vector<std::string> ListFiles;
  bool Recurse = false;
};

// Raises EArchiverError (UnlhaBadCommand) for anything else.
TUnlhaCommand ParseUnlhaCommand(std::string_view commandLine);

// Runs a command line. Returns 0 on success or a TUnlhaResult code; Message tells what
// was done or what went wrong. Never throws.
int RunUnlhaCommand(std::string_view commandLine, std::string& message);
