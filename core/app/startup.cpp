#include "core/app/startup.h"

#include "core/app/command_line.h"
#include "core/app/document_file.h"
#include "core/files/word_lists.h"

namespace quor {

void StartUp(Application& app, std::string_view command_line) {
  LoadSettings(app.paths.settings_file, app.settings);
  const CharacterSet set = ParseCharacterSet(app.settings.character_set);
  app.exclude_list = LoadWordList(app.paths.exclude_list, set,
                                  app.settings.exclude, app.messages);
  app.replace_list = LoadWordList(app.paths.replace_list, set,
                                  app.settings.replace, app.messages);
  // A batch run never shows its text, so laying it out (a pass over the whole
  // text) would be wasted.
  if (IsBatchRun(command_line)) {
    ReadDocument(app, command_line);
  } else {
    LoadDocument(app, command_line);
  }
  RunCommandLineOptions(app, command_line);
}

bool IsBatchRun(std::string_view command_line) {
  return CommandLineHas(command_line, "-c");
}

void EndBatchRun(Application& app) {
  SaveToLoadedFile(app, /*ask_when_changed=*/false);
}

}  // namespace quor
