#include "core/app/document_file.h"

#include <new>

#include "core/files/document_encoding.h"
#include "core/files/file_save.h"
#include "core/files/whole_file.h"
#include "core/filters/find_no_case.h"

namespace quor {

namespace {

// Calls `write` with the bytes of the document's file: its text, or the text
// in the document's encoding. Absent when there was no memory for those
// (reported); else what `write` returned.
template <typename Write>
std::optional<bool> WithFileBytes(const TextDocument& document,
                                  Messages& messages, Write write) {
  if (document.encoding == TextEncoding::kCp1252) return write(*document.text);
  std::string bytes;
  try {
    bytes = EncodeDocument(*document.text, document.encoding);
  } catch (const std::bad_alloc&) {
    messages.Show(kNoMemory, kCaptionError);
    return std::nullopt;
  }
  return write(bytes);
}

}  // namespace

bool ReportRead(ReadStatus status, Messages& messages) {
  switch (status) {
    case ReadStatus::kOk:
      return true;
    case ReadStatus::kCannotOpen:
      messages.Show(kCannotOpenFile, kCaptionError);
      break;
    case ReadStatus::kHoldsZero:
      messages.Show(kFileHoldsZeroBytes, kCaptionError);
      break;
    case ReadStatus::kOutOfMemory:
      messages.Show(kNoMemory, kCaptionError);
      break;
  }
  return false;
}

bool ReportDecoding(DecodeStatus status, Messages& messages) {
  switch (status) {
    case DecodeStatus::kOk:
    case DecodeStatus::kOutsideCp1252:
      return true;
    case DecodeStatus::kNotUtf8:
      messages.Show(kFileNotUtf8, kCaptionError);
      break;
    case DecodeStatus::kHoldsZero:
      messages.Show(kFileHoldsZeroBytes, kCaptionError);
      break;
  }
  return false;
}

bool IsDocumentArgument(std::string_view argument) {
  return argument.size() >= 3 && EqualNoCase(argument.data(), "-d:", 3);
}

std::optional<std::string> PathFromArgument(std::string_view argument) {
  if (!IsDocumentArgument(argument)) return std::string(argument);
  const std::string_view rest = argument.substr(3);
  if (!rest.starts_with('"')) return std::string(rest);
  // The quotes the user typed, passed on by a shell that does not remove them.
  if (rest.size() < 2 || !rest.ends_with('"')) return std::nullopt;
  return std::string(rest.substr(1, rest.size() - 2));
}

bool ReadDocument(Application& app, std::string_view argument) {
  app.document_path.clear();
  app.loaded_file.reset();
  if (argument.empty()) return false;
  std::optional<std::string> path;
  try {
    path = PathFromArgument(argument);
  } catch (const std::bad_alloc&) {
    app.messages.Show(kNoMemory, kCaptionError);
    return false;
  }
  if (!path || path->size() > kMaxWorkingPath) {
    app.messages.Show(kCannotOpenFile, kCaptionError);
    return false;
  }
  const CharacterSet set = ParseCharacterSet(app.settings.character_set);
  std::string bytes;
  FileStamp stamp;
  const ReadStatus read =
      ReadWholeFile(*path, bytes,
                    set == CharacterSet::kAuto ? ZeroBytes::kRefusedUnlessUtf16
                                               : ZeroBytes::kRefused,
                    &stamp);
  if (!ReportRead(read, app.messages)) return false;
  DecodedDocument decoded{};
  try {
    decoded = DecodeDocument(bytes, set);
  } catch (const std::bad_alloc&) {
    app.messages.Show(kNoMemory, kCaptionError);
    return false;
  }
  if (!ReportDecoding(decoded.status, app.messages)) return false;
  // Where the path leads now, resolved once; a save goes there only. When
  // the file was swapped during the read, there is nothing to save over.
  std::optional<LoadedFile> located;
  try {
    located = LocateLoadedFile(*path, stamp);
  } catch (const std::bad_alloc&) {
    app.messages.Show(kNoMemory, kCaptionError);
    return false;
  }
  // Moves only from here on: nothing can fail half way.
  app.document.text = std::move(bytes);
  app.document.encoding = decoded.encoding;
  app.loaded_file = std::move(located);
  app.document_path = std::move(*path);
  app.history.Restart();
  if (decoded.status == DecodeStatus::kOutsideCp1252) {
    app.messages.Show(kTextOutsideCp1252, kCaptionNote);
  }
  return true;
}

void LoadDocument(Application& app, std::string_view argument) {
  if (!ReadDocument(app, argument)) return;
  const bool wrap = app.settings.wrap_view != 0;
  ResetView(app.view, wrap);
  RefreshView(app.document, app.view, wrap, app.messages);
}

bool SaveDocument(const TextDocument& document, const std::string& path,
                  Messages& messages) {
  if (path.empty() || !document.text) return false;
  if (path.size() > kMaxWorkingPath) {
    messages.Show(kCannotCreateFile, kCaptionError);
    return false;
  }
  const std::optional<bool> written = WithFileBytes(
      document, messages,
      [&path](std::string_view bytes) { return WriteWholeFile(path, bytes); });
  if (written == false) messages.Show(kCannotCreateFile, kCaptionError);
  return written == true;
}

bool SaveToLoadedFile(Application& app, bool ask_when_changed) {
  if (app.document_path.empty() || !app.document.text) return false;
  SaveStatus status = SaveStatus::kChanged;
  const auto save = [&app, &status](bool check) {
    return [&app, &status, check](std::string_view bytes) {
      status = app.loaded_file ? SaveFile(*app.loaded_file, bytes, check)
                               : SaveStatus::kChanged;
      return true;
    };
  };
  if (!WithFileBytes(app.document, app.messages, save(true))) return false;
  if (status == SaveStatus::kChanged) {
    if (!ask_when_changed) {
      app.messages.Show(kFileChanged, kCaptionError);
      return false;
    }
    if (!app.messages.AskYesNo(kSaveAnyway, kCaptionWarning)) return false;
    if (!app.loaded_file) {
      return SaveDocument(app.document, app.document_path, app.messages);
    }
    if (!WithFileBytes(app.document, app.messages, save(false))) return false;
  }
  if (status == SaveStatus::kFailed) {
    app.messages.Show(kCannotCreateFile, kCaptionError);
    return false;
  }
  return status == SaveStatus::kSaved;
}

}  // namespace quor
