// How the program is put together: every hook by which a lower layer reaches an upper one
// is installed here, by an explicit call, before the program starts.
#pragma once

void ComposeProgram();
