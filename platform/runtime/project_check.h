// The stand-in runtime's look at the project it was started in: every data file it would
// read must be there and begin with its header string.
#pragma once

#include <string>
#include <vector>

#include "platform/runtime/runtime_request.h"

// Folder is the project folder. Checks "KOVAX.ldb" for both tests and, for a test play,
// also "KOVAX.lmt" and every map file ("Map" + four digits + ".lmu") in the folder. Every
// name is found in any case, the exact spelling first, as the editor finds it. Returns
// one line per problem, none when all is well.
std::vector<std::string> CheckProjectFiles(const std::string& folder, TRuntimeTest test);
