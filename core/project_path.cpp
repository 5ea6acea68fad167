#include "core/project_path.h"

std::string ProjectPath;
