#include "core/settings/profile_file.h"

#include <unistd.h>

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

#include "core/files/whole_file.h"

namespace quor {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineBreaks = "\r\n";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// Windows-1252 letters have case too: 0xC0-0xDE pair with 0xE0-0xFE, except
// the multiplication and division signs.
unsigned char FoldCase(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if ((byte >= 'a' && byte <= 'z') ||
      (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
    return static_cast<unsigned char>(byte - 0x20);
  }
  return byte;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

// The name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']') {
    return std::nullopt;
  }
  return Trim(trimmed.substr(1, trimmed.size() - 2));
}

// The key of a "key=value" line.
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, equals));
}

std::string_view RawValue(std::string_view line) {
  return line.substr(line.find('=') + 1);
}

std::int32_t ParseInt(std::string_view text) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  std::size_t pos = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    ++pos;
  }
  // Capping the magnitude keeps endless digit strings from overflowing.
  std::int64_t magnitude = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    magnitude = std::min(magnitude * 10 + (text[pos] - '0'), kMax + 1);
  }
  return static_cast<std::int32_t>(
      std::clamp(negative ? -magnitude : magnitude, kMin, kMax));
}

// A line of the file: its text is [begin, text_end), its line end
// [text_end, end), empty for a last line without one.
struct ProfileLine {
  std::size_t begin;
  std::size_t text_end;
  std::size_t end;
};

ProfileLine LineAt(std::string_view bytes, std::size_t begin) {
  const std::size_t stop = bytes.find_first_of(kLineBreaks, begin);
  if (stop == std::string_view::npos) {
    return {begin, bytes.size(), bytes.size()};
  }
  const bool cr_lf =
      bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n';
  return {begin, stop, stop + (cr_lf ? 2 : 1)};
}

std::string_view TextOf(std::string_view bytes, const ProfileLine& line) {
  return bytes.substr(line.begin, line.text_end - line.begin);
}

// The first line at or after the line start `from` that holds `mark`. Only
// such lines can be section headers ('[') or keys ('='), so a file of
// rubbish costs a byte search, not a walk over its lines.
std::optional<ProfileLine> NextLineHolding(std::string_view bytes,
                                           std::size_t from, char mark) {
  const std::size_t hit = bytes.find(mark, from);
  if (hit == std::string_view::npos) return std::nullopt;
  std::size_t begin = hit;
  while (begin > from && bytes[begin - 1] != '\r' && bytes[begin - 1] != '\n') {
    --begin;
  }
  return LineAt(bytes, begin);
}

// Where the section whose header line ends at `from` ends: at the next
// header line, or at the end of the file.
std::size_t SectionEnd(std::string_view bytes, std::size_t from) {
  for (std::optional<ProfileLine> line = NextLineHolding(bytes, from, '[');
       line; line = NextLineHolding(bytes, line->end, '[')) {
    if (SectionName(TextOf(bytes, *line))) return line->begin;
  }
  return bytes.size();
}

}  // namespace

ProfileFile::ProfileFile(std::string bytes) : bytes_(std::move(bytes)) {
  if (bytes_.empty()) return;
  const ProfileLine first = LineAt(bytes_, 0);
  if (first.end != first.text_end) {
    line_end_ = bytes_.substr(first.text_end, first.end - first.text_end);
  }
}

std::optional<ProfileFile> ProfileFile::Read(const std::string& path) {
  std::string bytes;
  switch (ReadWholeFile(path, bytes, ZeroBytes::kKept)) {
    case ReadStatus::kOk:
      return ProfileFile(std::move(bytes));
    case ReadStatus::kOutOfMemory:
      throw std::bad_alloc();
    case ReadStatus::kCannotOpen:
    case ReadStatus::kHoldsZero:
      break;
  }
  if (access(path.c_str(), F_OK) != 0) return ProfileFile();
  return std::nullopt;
}

std::int32_t ProfileFile::GetInt(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const {
  const std::optional<std::string_view> value = FindValue(section, key);
  return value ? ParseInt(Trim(*value)) : fallback;
}

std::string ProfileFile::GetText(std::string_view section, std::string_view key,
                                 std::string_view fallback,
                                 std::size_t max_chars) const {
  std::string_view text = FindValue(section, key).value_or(fallback);
  // The program's texts end at a zero byte.
  text = Trim(text.substr(0, text.find('\0')));
  if (text.size() >= 2 && text.front() == text.back() &&
      (text.front() == '"' || text.front() == '\'')) {
    text = text.substr(1, text.size() - 2);
  }
  return std::string(text.substr(0, max_chars));
}

void ProfileFile::SetInt(std::string_view section, std::string_view key,
                         std::int32_t value) {
  SetText(section, key, std::to_string(value));
}

void ProfileFile::SetText(std::string_view section, std::string_view key,
                          std::string_view value) {
  value = value.substr(0, value.find_first_of(kLineBreaks));
  const std::optional<std::size_t> header = FindSection(section);
  if (!header) {
    if (!bytes_.empty()) AppendLine("");
    AppendLine("[" + std::string(section) + "]");
    AppendLine(std::string(key) + "=" + std::string(value));
    return;
  }
  if (const std::optional<std::size_t> line = FindKey(*header, key)) {
    const ProfileLine found = LineAt(bytes_, *line);
    const std::size_t value_begin = bytes_.find('=', found.begin) + 1;
    bytes_.replace(value_begin, found.text_end - value_begin, value);
    return;
  }
  // Blank lines at the end of a section separate it from the next one, so
  // the new key goes after the section's last line that is not blank.
  const ProfileLine header_line = LineAt(bytes_, *header);
  std::size_t last_byte = SectionEnd(bytes_, header_line.end);
  while (last_byte > header_line.end &&
         std::string_view(" \t\r\n").find(bytes_[last_byte - 1]) !=
             std::string_view::npos) {
    --last_byte;
  }
  ProfileLine last = header_line;
  if (last_byte > header_line.end) {
    std::size_t begin = last_byte - 1;
    while (begin > header_line.end && bytes_[begin - 1] != '\r' &&
           bytes_[begin - 1] != '\n') {
      --begin;
    }
    last = LineAt(bytes_, begin);
  }
  std::string added = std::string(key) + "=" + std::string(value) + line_end_;
  if (last.end == last.text_end) added.insert(0, line_end_);
  bytes_.insert(last.end, added);
}

const std::string& ProfileFile::Bytes() const { return bytes_; }

bool ProfileFile::Write(const std::string& path) const {
  return WriteWholeFile(path, bytes_);
}

std::optional<std::size_t> ProfileFile::FindSection(
    std::string_view section) const {
  for (std::optional<ProfileLine> line = NextLineHolding(bytes_, 0, '['); line;
       line = NextLineHolding(bytes_, line->end, '[')) {
    const std::optional<std::string_view> name =
        SectionName(TextOf(bytes_, *line));
    if (name && SameName(*name, section)) return line->begin;
  }
  return std::nullopt;
}

std::optional<std::size_t> ProfileFile::FindKey(std::size_t header,
                                                std::string_view key) const {
  const std::size_t from = LineAt(bytes_, header).end;
  const std::size_t end = SectionEnd(bytes_, from);
  for (std::optional<ProfileLine> line = NextLineHolding(bytes_, from, '=');
       line && line->begin < end;
       line = NextLineHolding(bytes_, line->end, '=')) {
    const std::optional<std::string_view> name = KeyName(TextOf(bytes_, *line));
    if (name && SameName(*name, key)) return line->begin;
  }
  return std::nullopt;
}

std::optional<std::string_view> ProfileFile::FindValue(
    std::string_view section, std::string_view key) const {
  const std::optional<std::size_t> header = FindSection(section);
  if (!header) return std::nullopt;
  const std::optional<std::size_t> line = FindKey(*header, key);
  if (!line) return std::nullopt;
  return RawValue(TextOf(bytes_, LineAt(bytes_, *line)));
}

void ProfileFile::AppendLine(std::string_view text) {
  if (!bytes_.empty() && bytes_.back() != '\r' && bytes_.back() != '\n') {
    bytes_ += line_end_;
  }
  bytes_.append(text);
  bytes_ += line_end_;
}

}  // namespace quor
