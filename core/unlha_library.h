// The binding of the archiver library: loaded from the program folder when the program
// starts; its one entry point takes an archiver command line.
#pragma once

#include <cstdint>

// Shown by start-up when the library cannot be loaded.
inline constexpr const char* SUnlhaNotFound = "Unlha32.dll not found";

// The library's file on this platform, beside the program.
inline constexpr const char* UnlhaFileName = "libunlha32.so";

// Owner window (may be null), the command line, an optional buffer for the library's
// message and its size. Returns 0 on success.
using TUnlhaProc = int (*)(void* owner, const char* commandLine, char* output, uint32_t outputSize);

// The loaded library's handle, null while it is not loaded.
extern void* UnlhaLibrary;
// Its entry point "Unlha", null while it is not loaded.
extern TUnlhaProc UnlhaProc;

// Loads the library from the program folder once; the application calls this as it
// starts. Returns whether it is loaded; a library without the entry point is not kept.
bool LoadUnlhaLibrary();

// Forgets the library; done by itself when the program ends. Safe when nothing is loaded.
void FreeUnlhaLibrary();
