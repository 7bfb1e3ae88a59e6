#pragma once

#include <optional>
#include <string>

#include "core/app/document_history.h"
#include "core/files/loaded_file.h"
#include "core/files/program_paths.h"
#include "core/filters/messages.h"
#include "core/filters/text_document.h"
#include "core/rtf/convert_rtf.h"
#include "core/settings/settings.h"
#include "core/view/view_model.h"

namespace quor {

// Everything the program keeps for the length of a run. `main` makes one; a
// test can make as many as it likes.
struct Application {
  Application(ProgramPaths program_paths, Messages& message_sink)
      : paths(std::move(program_paths)), messages(message_sink) {}

  ProgramPaths paths;
  // The running program's file, for processes started from it; empty when
  // unknown.
  std::string program_file;
  Settings settings;
  // The word lists as read at start-up; absent when there is no usable list.
  std::optional<std::string> exclude_list;
  std::optional<std::string> replace_list;
  TextDocument document;
  // The document's earlier and undone states, and which one is saved.
  DocumentHistory history;
  // The file the current document was loaded from; empty when it came from
  // elsewhere or the last load failed.
  std::string document_path;
  // The file behind `document_path` as it was read, for the save.
  std::optional<LoadedFile> loaded_file;
  ViewState view;
  // The character set an RTF conversion ended with; the next one starts there.
  RtfSession rtf_session;
  Messages& messages;
};

}  // namespace quor
