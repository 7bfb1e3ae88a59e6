#include "desktop/commands.h"

#include <unistd.h>

#include "core/app/document_file.h"
#include "core/app/filter_catalogue.h"
#include "core/filters/find_no_case.h"
#include "desktop/clipboard.h"
#include "desktop/text_view.h"

namespace quor {
namespace {

constexpr std::string_view kOverwriteFile = "Datei überschreiben?";
constexpr std::string_view kFileExists = "Datei schon vorhanden!";

}  // namespace

std::optional<std::string> LoadArgumentFor(const std::string& path) {
  // The "-d:" form ends at the first double quote; a path without "-d:" is
  // taken whole.
  if (path.find('"') == std::string::npos) return "-d:\"" + path + "\"";
  if (FindNoCase(path, "-d:") == std::string_view::npos) return path;
  return std::nullopt;
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
  const std::optional<std::string> argument = LoadArgumentFor(*path);
  if (argument) {
    LoadDocument(app_, *argument);
  } else {
    app_.document_path.clear();
    app_.messages.Show(kCannotOpenFile, kCaptionError);
  }
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
