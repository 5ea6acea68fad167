#include "core/path_names.h"

namespace {

// Position where the file name of Path begins.
size_t NameStart(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

} // namespace

std::string IncludeTrailingBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '/') return path;
  return path + "/";
}

std::string ExtractFileName(const std::string& path) {
  return path.substr(NameStart(path));
}

std::string ExtractFilePath(const std::string& path) {
  return path.substr(0, NameStart(path));
}

std::string ExtractFileExt(const std::string& path) {
  const auto dot = path.rfind('.');
  if (dot == std::string::npos || dot < NameStart(path)) return "";
  return path.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  return path.substr(0, path.size() - ExtractFileExt(path).size()) + ext;
}

std::string FileMessage(const char* message, const std::string& path) {
  std::string text(message);
  const auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}
