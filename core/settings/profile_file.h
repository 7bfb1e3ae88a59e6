#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quor {

// An INI ("private profile") file held in memory as Windows-1252 bytes.
// Sections "[name]" hold "key=value" lines; section and key names match
// without regard to case, and the first matching section and key win.
// Setting a key changes only what it must: every other byte of the file,
// comments and unknown keys included, is written back as it was read.
class ProfileFile {
 public:
  // An empty file, as for a file that does not exist yet.
  ProfileFile() = default;
  // The file whose contents are `bytes`; lines may end with CR LF, LF or CR.
  explicit ProfileFile(std::string bytes);

  // Reads the file at `path`; a missing file reads as an empty one. Returns
  // nothing when a file exists there but cannot be read, so that a caller
  // does not replace it by its own keys alone. Throws std::bad_alloc when
  // there is no memory for it.
  static std::optional<ProfileFile> Read(const std::string& path);

  // The value of `key` in `section` as optional sign and decimal digits,
  // saturated to the range of int32; 0 when it does not start with a number,
  // `fallback` when the key is missing.
  std::int32_t GetInt(std::string_view section, std::string_view key,
                      std::int32_t fallback) const;

  // The value of `key` in `section`, or `fallback` when the key is missing,
  // either one read up to a zero byte, without blanks and tabs at both ends,
  // without one pair of enclosing quotes (' or "), and at most `max_chars`
  // bytes long.
  std::string GetText(std::string_view section, std::string_view key,
                      std::string_view fallback, std::size_t max_chars) const;

  // Gives `key` in `section` the value "%d" of `value`.
  void SetInt(std::string_view section, std::string_view key,
              std::int32_t value);

  // Gives `key` in `section` the value `value` up to its first line break,
  // since a value is one line. An existing key keeps its line; a missing key
  // is added at the end of its section, a missing section at the end of the
  // file.
  void SetText(std::string_view section, std::string_view key,
               std::string_view value);

  // The whole file as bytes.
  const std::string& Bytes() const;

  // Replaces the file at `path` by Bytes(); false when that failed.
  bool Write(const std::string& path) const;

 private:
  // Lines are found where they are needed, so that the file takes no more
  // memory than its bytes, whatever its lines. Positions are where lines
  // begin.
  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(std::size_t header,
                                     std::string_view key) const;
  std::optional<std::string_view> FindValue(std::string_view section,
                                            std::string_view key) const;
  void AppendLine(std::string_view text);

  std::string bytes_;
  // New lines end like the file's first line; CR LF in a file without one.
  std::string line_end_ = "\r\n";
};

}  // namespace quor
