// Failures of the archiver, each with the result code that the entry point returns.
#pragma once

#include <stdexcept>
#include <string>

enum TUnlhaResult {
  UnlhaOk = 0,
  UnlhaBadCommand = 1,
  UnlhaListFileError = 2,
  UnlhaReadError = 3,
  UnlhaWriteError = 4,
  UnlhaBadArchive = 5,
  UnlhaCheckFailed = 6,
  UnlhaFileTooLarge = 7,
  UnlhaInternalError = 9,
};

class EArchiverError : public std::runtime_error {
public:
  EArchiverError(TUnlhaResult code, const std::string& message)
      : std::runtime_error(message), Code(code) {}
  TUnlhaResult Code;
};
