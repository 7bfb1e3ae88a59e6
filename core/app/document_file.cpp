#include "core/app/document_file.h"

#include <new>

#include "core/files/whole_file.h"
#include "core/filters/find_no_case.h"

namespace quor {

std::optional<std::string> PathFromArgument(std::string_view argument) {
  const std::size_t marker = FindNoCase(argument, "-d:");
  if (marker == std::string_view::npos) return std::string(argument);
  // The character right after "-d:" is the opening quote, whatever it is.
  const std::size_t start = marker + 4;
  if (start > argument.size()) return std::nullopt;
  const std::size_t end = argument.find('"', start);
  if (end == std::string_view::npos) return std::nullopt;
  return std::string(argument.substr(start, end - start));
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
