// What the editor keeps in a project folder beside the author's own files.
#pragma once

#include <string>

// Removes the temporary files that interrupted saves of ours left (AtomicTemporaryTarget)
// beside the files the editor writes in a project: in ProjectFolder beside the database,
// the map tree, the maps and the game's ini file and program; in its material folders
// beside files of the folder's kind. Names match without regard to case, as project
// files do. Plain files only, links never followed, nothing else touched; failures are
// ignored.
void RemoveStaleTemporaryFiles(const std::string& projectFolder);
