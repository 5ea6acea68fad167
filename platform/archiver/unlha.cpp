// The library's one entry point.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/archiver/unlha_command.h"

// Owner is the window that would own any dialog; this library shows none. When Output is
// given, the message of the run is copied there, cut to fit and always terminated.
extern "C" __attribute__((visibility("default"))) int Unlha(void* owner, const char* commandLine,
                                                            char* output, uint32_t outputSize) {
  std::string message;
  const int result =
      commandLine ? RunUnlhaCommand(commandLine, message) : RunUnlhaCommand("", message);
  if (output && outputSize > 0) {
    const size_t n = std::min<size_t>(message.size(), outputSize - 1);
    std::memcpy(output, message.data(), n);
    output[n] = '\0';
  }
  return result;
}
