#include "desktop/commands.h"

#include <unistd.h>

#include "core/app/document_file.h"
#include "core/app/filter_catalogue.h"
#include "desktop/clipboard.h"
#include "desktop/text_view.h"

namespace quor {
namespace {

constexpr std::string_view kOverwriteFile = "Datei überschreiben?";
constexpr std::string_view kFileExists = "Datei schon vorhanden!";

}  // namespace

std::string LoadArgumentFor(const std::string& path) {
  // The quoted form names every path exactly, even one that begins with
  // "-d:" or holds quotes.
  return "-d:\"" + path + "\"";
}

Commands::Commands(Application& app, QWidget& owner, TextView& view,
                   BusyWindow& busy, FileDialogs& dialogs)
    : app_(app), owner_(owner), view_(view), busy_(busy), dialogs_(dialogs) {}

bool Commands::BeginFilterRun() {
  if (!app_.document.HasText()) return false;
  TakeUndoCopy(app_.document, app_.undo);
  busy_.Show();
  return true;
}

void Commands::RunFilter(int command_id) {
  for (const FilterEntry& entry : FilterCatalogue()) {
    if (entry.command_id != command_id) continue;
    if (!BeginFilterRun()) return;
    // False when the filter refused to run and has said why.
    const bool filtered = entry.run(app_);
    busy_.Close();
    if (filtered) view_.Refresh();
    return;
  }
}

void Commands::Undo() {
  if (RestoreUndoCopy(app_.undo, app_.document, app_.messages)) {
    view_.Refresh();
  }
}

void Commands::Load() {
  if (app_.document.HasText() &&
      !app_.messages.AskYesNo(kOverwriteQuestion, kTextInMemory)) {
    return;
  }
  const std::optional<std::string> path = dialogs_.OpenFile(&owner_);
  if (!path) return;
  LoadDocument(app_, LoadArgumentFor(*path));
  // A successful load has reset and laid out the model; the widget follows.
  if (app_.document_path.empty()) {
    view_.PaintNow();
  } else {
    view_.ResetPositions();
    view_.Refresh();
  }
}

void Commands::Save() {
  if (!app_.document.HasText()) {
    app_.messages.Show(kNoTextInMemory, kCaptionError);
    return;
  }
  const std::optional<std::string> path = dialogs_.SaveFile(&owner_);
  if (!path) return;
  if (::access(path->c_str(), F_OK) == 0 &&
      !app_.messages.AskYesNo(kOverwriteFile, kFileExists)) {
    return;
  }
  // Over the loaded file only as it was loaded, or when the user says so.
  if (*path == app_.document_path) {
    SaveToLoadedFile(app_, /*ask_when_changed=*/true);
  } else {
    SaveDocument(app_.document, *path, app_.messages);
  }
}

}  // namespace quor
