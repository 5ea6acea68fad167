// The record the stand-in runtime keeps of how it was started, so tests of the editor can
// check the exact command line. With VELMORA_RUNTIME_LOG naming a file, every start
// appends one line: the working folder, then the program's path as given and each
// argument, separated by tabs. A tab, line feed, carriage return or backslash inside a
// field is written as \t, \n, \r or \\.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Fields are the working folder followed by every argv entry; the result ends in '\n'.
std::string FormatRuntimeLogLine(const std::vector<std::string>& fields);
// The fields of one line (without or with its '\n'); an escape we never write is kept as
// it stands.
std::vector<std::string> ParseRuntimeLogLine(std::string_view line);
// Appends Line with one write to a file opened for appending (made with mode 0600 when
// missing), so the lines of runtimes started side by side never mix. False on failure.
bool AppendRuntimeLog(const std::string& path, const std::string& line);
