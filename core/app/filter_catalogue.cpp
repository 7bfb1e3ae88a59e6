#include "core/app/filter_catalogue.h"

#include <array>

#include "core/filters/char_filters.h"
#include "core/filters/code_pages.h"
#include "core/filters/duplicate_lines.h"
#include "core/filters/duplicate_words.h"
#include "core/filters/exclude_list.h"
#include "core/filters/html_to_text.h"
#include "core/filters/keep_nouns.h"
#include "core/filters/line_endings.h"
#include "core/filters/replace_list.h"
#include "core/filters/superfluous_blanks.h"
#include "core/filters/word_deletion.h"
#include "core/filters/wrap_words.h"
#include "core/html/modern_html.h"
#include "core/rtf/convert_rtf.h"
#include "core/rtf/modern_rtf.h"

namespace quor {
namespace {

constexpr std::string_view kRunLengthRefused =
    "Zeichenlänge 1 nicht zugelassen";

template <void (*Filter)(TextDocument&, Messages&)>
bool RunOnDocument(Application& app) {
  Filter(app.document, app.messages);
  return true;
}

// Whoever converts to or from the DOS code page wants those bytes on disk,
// not a Unicode file.
template <void (*Filter)(TextDocument&, Messages&)>
bool RunToCodePageBytes(Application& app) {
  Filter(app.document, app.messages);
  app.document.encoding = TextEncoding::kCp1252;
  return true;
}

// The button runs the reader the user chose in the settings.
bool RunHtmlToText(Application& app) {
  if (app.settings.modern_readers != 0) {
    ModernHtmlToText(app.document, app.messages);
  } else {
    HtmlToText(app.document, app.messages);
  }
  return true;
}

bool RunConvertRtf(Application& app) {
  // The reader can report dozens of messages for one document; a window
  // shows them as one box at the end.
  const MessageGroup group(app.messages);
  if (app.settings.modern_readers != 0) {
    ConvertRtfModern(app.document, app.messages);
  } else {
    ConvertRtfDocument(app.document, app.rtf_session, app.messages);
  }
  return true;
}

bool RunWrapWords(Application& app) {
  WrapWords(app.document, app.settings.wrap_width, app.messages);
  return true;
}

bool RunExcludeList(Application& app) {
  ApplyExcludeList(app.document, app.exclude_list, app.messages);
  return true;
}

bool RunReplaceList(Application& app) {
  ApplyReplaceList(app.document, app.replace_list, app.messages);
  return true;
}

template <int kRunLength>
bool RunRepeatedChars(Application& app) {
  RemoveRepeatedCharWords(app.document, kRunLength, app.messages);
  return true;
}

// The run length comes from the settings, where it may be anything; a run of
// one character would match every word, so it is refused with a warning.
bool RunRepeatedCharsFromSettings(Application& app) {
  const std::int32_t run_length = app.settings.same_chars_length;
  if (run_length <= 1) {
    app.messages.Show(kRunLengthRefused, kCaptionWarning);
    return false;
  }
  RemoveRepeatedCharWords(app.document, run_length, app.messages);
  return true;
}

bool RunShortWords(Application& app) {
  RemoveShortWords(app.document, app.settings.min_word_length, app.messages);
  return true;
}

bool RunKeepNouns(Application& app) {
  KeepNouns(app.document, app.settings.separator, app.messages);
  return true;
}

constexpr std::array kCatalogue = {
    FilterEntry{"Ansi -> OEM", 107, "-F1", 0, RunToCodePageBytes<AnsiToOem>,
                &Settings::ansi_to_oem, &kAnsiToOemMap, true},
    FilterEntry{"OEM -> ANSI", 108, "-F2", 1, RunToCodePageBytes<OemToAnsi>,
                &Settings::oem_to_ansi, &kOemToAnsiMap, true},
    FilterEntry{"HTML -> Text", 106, "-F3", 2, RunHtmlToText, &Settings::html},
    FilterEntry{"RTF -> Text", 113, "-F4", 3, RunConvertRtf, &Settings::rtf},
    FilterEntry{"Umbruch", 123, "-F5", 4, RunWrapWords, &Settings::wrap_words},
    FilterEntry{"keine Zahlen", 120, "-F101", 5,
                RunOnDocument<RemoveWordsWithDigits>, &Settings::no_digits},
    FilterEntry{"nur Buchstaben", 112, "-F102", 6,
                RunOnDocument<KeepLettersOnly>, &Settings::letters_only,
                &kKeepLettersOnlyMap},
    FilterEntry{"CR/LF entfernen", 109, "-F103", 7,
                RunOnDocument<RemoveLineBreaks>, &Settings::remove_line_breaks,
                &kRemoveLineBreaksMap},
    FilterEntry{"Exclude-Datei anwenden", 114, "-F104", 8, RunExcludeList,
                &Settings::exclude},
    FilterEntry{"Replace-Datei anwenden", 115, "-F105", 9, RunReplaceList,
                &Settings::replace},
    FilterEntry{"Kleinbuchstaben", 105, "-F201", 10, RunOnDocument<ToLowerCase>,
                &Settings::lower_case, &kToLowerCaseMap},
    FilterEntry{"Großbuchstaben", 104, "-F202", 11, RunOnDocument<ToUpperCase>,
                &Settings::upper_case, &kToUpperCaseMap},
    FilterEntry{"doppelte Wörter", 101, "-F203", 12,
                RunOnDocument<RemoveDuplicateWords>,
                &Settings::duplicate_words},
    FilterEntry{"überflüssige Leerzeichen", 103, "-F204", 13,
                RunOnDocument<RemoveSuperfluousBlanks>,
                &Settings::superfluous_blanks, nullptr, false, true},
    FilterEntry{"doppelte Zeilen", 102, "-F205", 14,
                RunOnDocument<RemoveDuplicateLines>,
                &Settings::duplicate_lines},
    FilterEntry{"Dos -> Mac", 110, "-F206", 15, RunOnDocument<DosToMac>,
                &Settings::dos_to_mac},
    FilterEntry{"Mac -> Dos", 111, "-F207", 16, RunOnDocument<MacToDos>,
                &Settings::mac_to_dos},
    FilterEntry{"Dos -> Unix", 121, "-F208", 17, RunOnDocument<DosToUnix>,
                &Settings::dos_to_unix},
    FilterEntry{"Unix -> Dos", 122, "-F209", 18, RunOnDocument<UnixToDos>,
                &Settings::unix_to_dos},
    FilterEntry{"2 gleiche Zeichen", 116, "-F210", 19, RunRepeatedChars<2>,
                &Settings::two_same_chars},
    FilterEntry{"3 gleiche Zeichen", 117, "-F211", 20, RunRepeatedChars<3>,
                &Settings::three_same_chars},
    FilterEntry{"X gleiche Zeichen", 118, "-F212", 21,
                RunRepeatedCharsFromSettings, &Settings::x_same_chars},
    FilterEntry{"Mindestwortlänge", 119, "-F213", 22, RunShortWords,
                &Settings::min_word_length_button},
    FilterEntry{"Substantive", 100, "-F214", 23, RunKeepNouns,
                &Settings::nouns},
};

// Reached by their own options only; no button, command or flag of their own.
constexpr std::array kModernReaders = {
    FilterEntry{"HTML -> Text (modern)", 0, "html-modern", -1,
                RunOnDocument<ModernHtmlToText>, nullptr},
    FilterEntry{"RTF -> Text (modern)", 0, "rtf-modern", -1,
                RunOnDocument<ConvertRtfModern>, nullptr},
};

}  // namespace

std::span<const FilterEntry> FilterCatalogue() { return kCatalogue; }

std::span<const FilterEntry> ModernReaders() { return kModernReaders; }

}  // namespace quor
