// Windows-style ini files, read and written by our own codec because the game runtime
// reads the project's ini with the Windows rules: CRLF line ends, section and key names
// matched without regard to case, values as code-page bytes, "key=value" lines. Every
// line we do not change (comments, unknown sections and keys, blank lines) is written
// back exactly as it was read, in its place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TIniFile {
public:
  // Parses text already in memory; FileName stays empty and UpdateFile writes nothing.
  TIniFile() = default;
  static TIniFile FromBytes(std::string_view bytes);
  // Reads FileName; a missing file is an empty one. Raises EFileError when the file
  // exists but cannot be read (so a later save never replaces what we failed to read).
  explicit TIniFile(std::string fileName);

  const std::string& FileName() const { return fileName_; }
  bool Modified() const { return modified_; }

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // The value with blanks around it removed and one pair of enclosing quotes ("..." or
  // '...') dropped, as the Windows reader does; Default when the key is absent.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // Default when the key is absent or its value is not a whole integer (decimal, or hex
  // with "0x" or "$").
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // An integer other than 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Changes the key in place, or adds it after the section's last key, or adds the
  // section at the end. Line breaks in a value would start new lines in the file and
  // become blanks instead.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // Booleans are written as 1 and 0.
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void DeleteKey(std::string_view section, std::string_view key);

  // The whole file, every line ended by CRLF.
  std::string ToBytes() const;
  // Writes the file atomically when something changed since it was read or written.
  void UpdateFile();

private:
  enum class TLineKind { Other, Section, Key };
  struct TLine {
    std::string Raw;
    TLineKind Kind = TLineKind::Other;
    std::string Name;  // section or key name, trimmed
    std::string Value; // key value, trimmed, quotes kept
  };
  void Parse(std::string_view bytes);
  // Index of the section's header line, or -1.
  int FindSection(std::string_view section) const;
  // Index of the key's line within the section, or -1.
  int FindKey(std::string_view section, std::string_view key) const;

  std::string fileName_;
  std::vector<TLine> lines_;
  bool modified_ = false;
};
