#include "platform/runtime/runtime_log.h"

#include <fcntl.h>
#include <unistd.h>

std::string FormatRuntimeLogLine(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) line += '\t';
    for (char c : fields[i]) {
      switch (c) {
      case '\t':
        line += "\\t";
        break;
      case '\n':
        line += "\\n";
        break;
      case '\r':
        line += "\\r";
        break;
      case '\\':
        line += "\\\\";
        break;
      default:
        line += c;
      }
    }
  }
  return line + '\n';
}

std::vector<std::string> ParseRuntimeLogLine(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  std::vector<std::string> fields(1);
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      fields.emplace_back();
    } else if (c == '\\' && i + 1 < line.size()) {
      const char e = line[++i];
      switch (e) {
      case 't':
        fields.back() += '\t';
        break;
      case 'n':
        fields.back() += '\n';
        break;
      case 'r':
        fields.back() += '\r';
        break;
      case '\\':
        fields.back() += '\\';
        break;
      default:
        fields.back() += std::string{'\\', e};
      }
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

bool AppendRuntimeLog(const std::string& path, const std::string& line) {
  const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const ssize_t written = write(fd, line.data(), line.size());
  const bool closed = close(fd) == 0;
  return written == static_cast<ssize_t>(line.size()) && closed;
}
