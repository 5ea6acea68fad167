// The build's generator of the files that lie beside the editor:
//   velmora-generate rtp <folder>                   the default run-time package
//   velmora-generate database <file>                the template database
//   velmora-generate defaults <file> <rtp folder>   the defaults file naming the package
#include <cstdio>
#include <exception>
#include <string>

#include "core/atomic_file.h"
#include "platform/rtp_generator/rtp_materials.h"
#include "platform/rtp_generator/template_files.h"

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "rtp" && argc == 3) {
      WriteRuntimePackage(argv[2]);
    } else if (command == "database" && argc == 3) {
      WriteFileAtomically(argv[2], MakeTemplateDataBase());
    } else if (command == "defaults" && argc == 4) {
      WriteDefaultsFile(argv[2], argv[3]);
    } else {
      std::fprintf(stderr,
                   "usage: %s rtp <folder> | database <file> | defaults <file> <rtp folder>\n",
                   argv[0]);
      return 2;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
  return 0;
}
