// The folder of the open project, with a trailing separator; empty while no project is
// open. Set by the project code; the lookups that take no folder use it.
#pragma once

#include <string>

extern std::string ProjectPath;
