// The exception hierarchy of the data core. Every message is the system's own text,
// shown to the author unchanged by the application's error handler.
#pragma once

#include <stdexcept>
#include <string>

// Base of every error the editor raises on purpose.
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A truncated or malformed stream.
class EReadError : public Exception {
public:
  EReadError();
  explicit EReadError(const std::string& message) : Exception(message) {}
};

// A write that could not be completed (disk full, closed file).
class EWriteError : public Exception {
public:
  explicit EWriteError(const std::string& message) : Exception(message) {}
};

// A file that could not be opened, created or replaced.
class EFileError : public Exception {
public:
  explicit EFileError(const std::string& message) : Exception(message) {}
};

// A bad or unsupported image.
class EInvalidGraphic : public Exception {
public:
  explicit EInvalidGraphic(const std::string& message) : Exception(message) {}
};

// zlib reported a failure while packing or unpacking image data.
class EZlibError : public Exception {
public:
  EZlibError();
};

class EOutOfMemory : public Exception {
public:
  EOutOfMemory();
};

// An internal consistency check failed; the message names the source unit and line.
class EAssertionFailed : public Exception {
public:
  EAssertionFailed(const std::string& message, const std::string& unit, int line);
};

// Raises EAssertionFailed naming the unit and line when the condition is false.
void XelAssert(bool condition, const char* message, const char* unit, int line);
