#include "core/settings/profile_file.h"

#include <unistd.h>

#include <algorithm>
#include <limits>
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

}  // namespace

ProfileFile::ProfileFile(std::string_view bytes) {
  bool line_end_seen = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t stop = bytes.find_first_of(kLineBreaks, start);
    if (stop == std::string_view::npos) {
      lines_.push_back({std::string(bytes.substr(start)), ""});
      break;
    }
    const bool cr_lf = bytes[stop] == '\r' && stop + 1 < bytes.size() &&
                       bytes[stop + 1] == '\n';
    Line line{std::string(bytes.substr(start, stop - start)),
              std::string(bytes.substr(stop, cr_lf ? 2 : 1))};
    if (!line_end_seen) {
      line_end_ = line.end;
      line_end_seen = true;
    }
    start = stop + line.end.size();
    lines_.push_back(std::move(line));
  }
}

std::optional<ProfileFile> ProfileFile::Read(const std::string& path) {
  std::string bytes;
  if (ReadWholeFile(path, bytes, ZeroBytes::kKept) == ReadStatus::kOk) {
    return ProfileFile(bytes);
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
    if (!lines_.empty()) AppendLine("");
    AppendLine("[" + std::string(section) + "]");
    AppendLine(std::string(key) + "=" + std::string(value));
    return;
  }
  if (const std::optional<std::size_t> index = FindKey(*header, key)) {
    std::string& text = lines_[*index].text;
    text.replace(text.find('=') + 1, std::string::npos, value);
    return;
  }
  // Blank lines at the end of a section separate it from the next one, so
  // the new key goes before them.
  std::size_t after = SectionEnd(*header);
  while (after > *header + 1 && Trim(lines_[after - 1].text).empty()) --after;
  if (lines_[after - 1].end.empty()) lines_[after - 1].end = line_end_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after),
                Line{std::string(key) + "=" + std::string(value), line_end_});
}

std::string ProfileFile::Bytes() const {
  std::string bytes;
  for (const Line& line : lines_) bytes += line.text + line.end;
  return bytes;
}

bool ProfileFile::Write(const std::string& path) const {
  return WriteWholeFile(path, Bytes());
}

std::optional<std::size_t> ProfileFile::FindSection(
    std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const std::optional<std::string_view> name = SectionName(lines_[i].text);
    if (name && SameName(*name, section)) return i;
  }
  return std::nullopt;
}

std::size_t ProfileFile::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && !SectionName(lines_[end].text)) ++end;
  return end;
}

std::optional<std::size_t> ProfileFile::FindKey(std::size_t header,
                                                std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const std::optional<std::string_view> name = KeyName(lines_[i].text);
    if (name && SameName(*name, key)) return i;
  }
  return std::nullopt;
}

std::optional<std::string_view> ProfileFile::FindValue(
    std::string_view section, std::string_view key) const {
  const std::optional<std::size_t> header = FindSection(section);
  if (!header) return std::nullopt;
  const std::optional<std::size_t> index = FindKey(*header, key);
  if (!index) return std::nullopt;
  return RawValue(lines_[*index].text);
}

void ProfileFile::AppendLine(std::string text) {
  if (!lines_.empty() && lines_.back().end.empty()) {
    lines_.back().end = line_end_;
  }
  lines_.push_back({std::move(text), line_end_});
}

}  // namespace quor
