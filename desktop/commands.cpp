#include "desktop/commands.h"

#include <unistd.h>

#include "core/app/document_file.h"
#include "core/app/filter_catalogue.h"
#include "core/app/unsaved_changes.h"
#include "desktop/clipboard.h"
#include "desktop/pasted_text.h"
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
  app_.history.Record(app_.document);
  busy_.Show();
  return true;
}

void Commands::RunFilter(int command_id) {
  for (const FilterEntry& entry : FilterCatalogue()) {
    if (entry.command_id != command_id) continue;
    if (!BeginFilterRun()) return;
    // False when the filter refused to run and has said why.
    const bool filtered = entry.run(app_);
    app_.history.ForgetIfUnchanged(app_.document);
    busy_.Close();
    if (filtered) view_.Refresh();
    return;
  }
}

void Commands::Undo() {
  if (app_.history.Undo(app_.document, app_.messages)) view_.Refresh();
}

void Commands::Redo() {
  if (app_.history.Redo(app_.document, app_.messages)) view_.Refresh();
}

bool Commands::MayReplaceDocument() {
  if (app_.history.Modified(app_.document)) {
    return SettleUnsavedChanges(app_, [this] { return Save(); });
  }
  return MayOverwriteText(app_);
}

void Commands::Load() {
  if (!MayReplaceDocument()) return;
  const std::optional<std::string> path = dialogs_.OpenFile(&owner_);
  if (path) LoadFile(*path);
}

void Commands::LoadDropped(const std::string& path) {
  if (MayReplaceDocument()) LoadFile(path);
}

void Commands::LoadFile(const std::string& path) {
  LoadDocument(app_, LoadArgumentFor(path));
  // A successful load has reset and laid out the model; the widget follows.
  if (app_.document_path.empty()) {
    view_.PaintNow();
  } else {
    view_.ResetPositions();
    view_.Refresh();
  }
}

bool Commands::Save() {
  if (!app_.document.HasText()) {
    app_.messages.Show(kNoTextInMemory, kCaptionError);
    return false;
  }
  const std::optional<std::string> path = dialogs_.SaveFile(&owner_);
  if (!path) return false;
  if (::access(path->c_str(), F_OK) == 0 &&
      !app_.messages.AskYesNo(kOverwriteFile, kFileExists)) {
    return false;
  }
  // Over the loaded file only as it was loaded, or when the user says so.
  const bool saved = *path == app_.document_path
                         ? SaveToLoadedFile(app_, /*ask_when_changed=*/true)
                         : SaveDocument(app_.document, *path, app_.messages);
  if (saved) app_.history.MarkSaved();
  return saved;
}

}  // namespace quor
