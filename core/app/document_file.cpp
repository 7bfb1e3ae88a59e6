#include "core/app/document_file.h"

#include <new>

#include "core/files/whole_file.h"
#include "core/filters/find_no_case.h"

namespace quor {

namespace {

// Where the path of "-d:" lies: the character right after the marker opens
// it, whatever it is, and the next double quote closes it (npos: none does).
struct PathBounds {
  std::size_t marker;
  std::size_t start;
  std::size_t end;
};

std::optional<PathBounds> FindPathBounds(std::string_view command_line) {
  const std::size_t marker = FindNoCase(command_line, "-d:");
  if (marker == std::string_view::npos) return std::nullopt;
  const std::size_t start = marker + 4;
  const std::size_t end = start > command_line.size()
                              ? std::string_view::npos
                              : command_line.find('"', start);
  return PathBounds{marker, start, end};
}

}  // namespace

std::optional<std::string> PathFromArgument(std::string_view argument) {
  const std::optional<PathBounds> bounds = FindPathBounds(argument);
  if (!bounds) return std::string(argument);
  if (bounds->end == std::string_view::npos) return std::nullopt;
  return std::string(
      argument.substr(bounds->start, bounds->end - bounds->start));
}

std::string OptionsPart(std::string_view command_line) {
  const std::optional<PathBounds> bounds = FindPathBounds(command_line);
  if (!bounds) return "";
  std::string options(command_line.substr(0, bounds->marker));
  if (bounds->end != std::string_view::npos) {
    options += ' ';
    options.append(command_line.substr(bounds->end + 1));
  }
  return options;
}

bool ReadDocument(Application& app, std::string_view argument) {
  app.document_path.clear();
  if (argument.empty()) return false;
  std::optional<std::string> path;
  try {
    path = PathFromArgument(argument);
  } catch (const std::bad_alloc&) {
    app.messages.Show(kNoMemory, kCaptionError);
    return false;
  }
  if (!path) return false;
  if (path->size() > kMaxWorkingPath) {
    app.messages.Show(kCannotOpenFile, kCaptionError);
    return false;
  }
  std::string bytes;
  switch (ReadWholeFile(*path, bytes, /*refuse_zero=*/true)) {
    case ReadStatus::kCannotOpen:
      app.messages.Show(kCannotOpenFile, kCaptionError);
      return false;
    case ReadStatus::kHoldsZero:
      app.messages.Show(kFileHoldsZeroBytes, kCaptionError);
      return false;
    case ReadStatus::kOutOfMemory:
      app.messages.Show(kNoMemory, kCaptionError);
      return false;
    case ReadStatus::kOk:
      break;
  }
  // Moves only from here on: nothing can fail half way.
  app.document.text = std::move(bytes);
  app.document_path = std::move(*path);
  return true;
}

void LoadDocument(Application& app, std::string_view argument) {
  if (!ReadDocument(app, argument)) return;
  const bool wrap = app.settings.wrap_view != 0;
  ResetView(app.view, wrap);
  RefreshView(app.document, app.view, wrap, app.messages);
}

void SaveDocument(const TextDocument& document, const std::string& path,
                  Messages& messages) {
  if (path.empty() || !document.text) return;
  if (path.size() > kMaxWorkingPath || !WriteWholeFile(path, *document.text)) {
    messages.Show(kCannotCreateFile, kCaptionError);
  }
}

}  // namespace quor
