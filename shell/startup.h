// The program's start: one editor per user, the checks of its surroundings, the splash,
// the main window and the message loop.
#pragma once

// The display is usable from 800 x 600 logical pixels and 16 bits per pixel on.
bool DisplayIsUsable(int width, int height, int depth);

// The whole start and run; the process's exit code.
int ProgramMain(int argc, char** argv);
