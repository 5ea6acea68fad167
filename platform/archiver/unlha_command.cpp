#include "platform/archiver/unlha_command.h"

#include <cstdio>
#include <new>

#include "platform/archiver/archiver_error.h"
#include "platform/archiver/lha_archive.h"
#include "platform/archiver/list_file.h"

namespace {

// A list file is a list of names; anything larger is not one.
constexpr long MaxListFileSize = 16 << 20;

struct TToken {
  std::string Text;
  bool Quoted = false; // began with a quote, so it is never a switch
};

std::vector<TToken> Tokenize(std::string_view line) {
  std::vector<TToken> tokens;
  size_t i = 0;
  for (;;) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
      ++i;
    if (i >= line.size()) return tokens;
    TToken token;
    token.Quoted = line[i] == '"';
    bool inQuotes = false;
    for (; i < line.size() && (inQuotes || (line[i] != ' ' && line[i] != '\t')); ++i) {
      if (line[i] == '"')
        inQuotes = !inQuotes;
      else
        token.Text += line[i];
    }
    tokens.push_back(std::move(token));
  }
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string ReadListFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw EArchiverError(UnlhaListFileError, "Cannot open the list file " + path);
  std::string text;
  char buffer[65536];
  for (;;) {
    const size_t n = std::fread(buffer, 1, sizeof buffer, f);
    text.append(buffer, n);
    if (n < sizeof buffer || text.size() > static_cast<size_t>(MaxListFileSize)) break;
  }
  const bool failed = std::ferror(f) != 0 || text.size() > static_cast<size_t>(MaxListFileSize);
  std::fclose(f);
  if (failed) throw EArchiverError(UnlhaListFileError, "Cannot read the list file " + path);
  return text;
}

} // namespace

TUnlhaCommand ParseUnlhaCommand(std::string_view commandLine) {
  const std::vector<TToken> tokens = Tokenize(commandLine);
  if (tokens.empty() || Lower(tokens[0].Text) != "a")
    throw EArchiverError(UnlhaBadCommand, "Unknown command");
  TUnlhaCommand command;
  bool haveArchive = false;
  for (size_t i = 1; i < tokens.size(); ++i) {
    const TToken& t = tokens[i];
    if (!t.Quoted && !t.Text.empty() && t.Text[0] == '-') {
      const std::string option = Lower(t.Text.substr(1));
      if (option == "r2")
        command.Recurse = true;
      else if (option != "+" && option != "d")
        throw EArchiverError(UnlhaBadCommand, "Unknown switch " + t.Text);
    } else if (!t.Text.empty() && t.Text[0] == '@') {
      if (t.Text.size() == 1) throw EArchiverError(UnlhaBadCommand, "No list file after @");
      command.ListFiles.push_back(t.Text.substr(1));
    } else if (!haveArchive && !t.Text.empty()) {
      command.Archive = t.Text;
      haveArchive = true;
    } else {
      throw EArchiverError(UnlhaBadCommand, "Unexpected argument " + t.Text);
    }
  }
  if (!haveArchive) throw EArchiverError(UnlhaBadCommand, "No archive named");
  if (command.ListFiles.empty()) throw EArchiverError(UnlhaBadCommand, "No list file named");
  return command;
}

int RunUnlhaCommand(std::string_view commandLine, std::string& message) {
  try {
    const TUnlhaCommand command = ParseUnlhaCommand(commandLine);
    std::vector<TListLine> lines;
    for (const std::string& listFile : command.ListFiles) {
      // Every list file starts from the current folder.
      lines.push_back({true, ""});
      const std::vector<TListLine> more = ParseListFile(ReadListFile(listFile));
      lines.insert(lines.end(), more.begin(), more.end());
    }
    const size_t count = AddToArchive(command.Archive, CollectSources(lines, command.Recurse));
    message = std::to_string(count) + " members in " + command.Archive;
    return UnlhaOk;
  } catch (const EArchiverError& e) {
    message = e.what();
    return e.Code;
  } catch (const std::bad_alloc&) {
    message = "Out of memory";
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unexpected error";
  }
  return UnlhaInternalError;
}
