// Libraries this one opens by their run-time names when it first needs them, not when it
// is loaded itself: each pulls in many more, and most starts of the editor play nothing.
// A library's entry points are listed once, as X(name) in a list macro, which declares
// their fields (LATE_ENTRY_FIELD) and binds them (LATE_ENTRY_BIND).
#pragma once

#include <dlfcn.h>

#define LATE_ENTRY_FIELD(name) decltype(&::name) name = nullptr;
// Appended to `true` in a condition: true while every entry point is found.
#define LATE_ENTRY_BIND(name) &&BindLateEntry(library, entries.name, #name)

// The library, which stays loaded for the life of the process; null when it is missing.
inline void* OpenLateLibrary(const char* name) {
  return dlopen(name, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}

template <typename F> bool BindLateEntry(void* library, F& entry, const char* name) {
  entry = reinterpret_cast<F>(dlsym(library, name));
  return entry != nullptr;
}

// The entry points of the library Name that Bind (library, entries) binds, or null when the
// library or one of them is missing. Call once, and keep the result.
template <typename T, typename F> const T* LoadLateLibrary(const char* name, F bind) {
  static T entries;
  void* library = OpenLateLibrary(name);
  return library && bind(library, entries) ? &entries : nullptr;
}
