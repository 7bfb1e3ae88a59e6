#include "core/app/startup.h"

#include "core/app/document_file.h"
#include "core/files/word_lists.h"

namespace quor {

void StartUp(Application& app, const CommandLine& command_line) {
  LoadSettings(app.paths.settings_file, app.settings, app.messages);
  const CharacterSet set = ParseCharacterSet(app.settings.character_set);
  app.exclude_list = LoadWordList(app.paths.exclude_list, set,
                                  app.settings.exclude, app.messages);
  app.replace_list = LoadWordList(app.paths.replace_list, set,
                                  app.settings.replace, app.messages);
  // A batch run never shows its text, so laying it out (a pass over the whole
  // text) would be wasted.
  if (IsBatchRun(command_line)) {
    ReadDocument(app, command_line.document);
  } else {
    LoadDocument(app, command_line.document);
  }
  RunCommandLineOptions(app, command_line);
}

bool IsBatchRun(const CommandLine& command_line) {
  return CommandLineHas(command_line, "-c");
}

void EndBatchRun(Application& app, bool error_reported) {
  if (error_reported) return;
  SaveToLoadedFile(app, /*ask_when_changed=*/false);
}

}  // namespace quor
