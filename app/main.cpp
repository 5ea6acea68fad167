#include <cstdio>

#include "app/composition.h"
#include "shell/display_check.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
  // Before the application object: without a display Qt would abort.
  if (!DisplayReachable(argc, argv)) {
    std::fprintf(stderr, "%s\n", NoDisplayMessage);
    return 1;
  }
  ComposeProgram();
  return ProgramMain(argc, argv);
}
