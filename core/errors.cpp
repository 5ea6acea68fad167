#include "core/errors.h"

#include "core/messages.h"

EReadError::EReadError() : Exception(SReadError) {}

EZlibError::EZlibError() : Exception(SZlibError) {}

EOutOfMemory::EOutOfMemory() : Exception(SOutOfMemory) {}

EAssertionFailed::EAssertionFailed(const std::string& message, const std::string& unit, int line)
    : Exception(message + " (" + unit + ", line " + std::to_string(line) + ")") {}

void XelAssert(bool condition, const char* message, const char* unit, int line) {
  if (!condition) throw EAssertionFailed(message, unit, line);
}
