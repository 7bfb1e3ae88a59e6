// Documents in UTF-8 and UTF-16 as the program loads, filters and saves them.

#include <gtest/gtest.h>

#include "core/app/document_file.h"
#include "core/app/filter_catalogue.h"
#include "core/files/document_encoding.h"
#include "test_support.h"

namespace quor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

// A German letter in Windows-1252 with something for every filter: umlauts,
// ß, €, typographic quotes and dashes, digits, repeated words and lines,
// blanks, tags and RTF groups, line ends of all three kinds.
constexpr std::string_view kLetter =
    "Sehr geehrte Frau M\xFCller,\r\n\r\nGr\xF6\xDF"
    "e und \xC4pfel f\xFCr "
    "J\xFCrgen: 3 St\xFC"
    "ck \xE0 2,50 \x80.\r\n\x84Gr\xFC\xDF"
    "e\x93 \x96 "
    "aaa bbb bbb  \xD6lk\xE4nnchen\r\n<b>fett</b> {\\b rtf}\n"
    "Zeile\r\nZeile\rEnde \xDF\xDF\xDF \xFF";

constexpr TextEncoding kUnicodeEncodings[] = {
    TextEncoding::kUtf8, TextEncoding::kUtf8Bom, TextEncoding::kUtf16Le,
    TextEncoding::kUtf16Be};

class EncodedDocument : public ::testing::Test {
 protected:
  Application NewApp() {
    Application app(ProgramPaths{}, messages_);
    app.exclude_list = "und\r\nZeile\r\n";
    app.replace_list = "Zeile\r\nReihe\r\n\xC4pfel\r\nBirnen\r\n";
    return app;
  }
  std::string Quoted(const std::string& path) { return "-d:\"" + path + "\""; }

  testing::TempDir dir_;
  testing::RecordingMessages messages_;
};

// Each filter gives a Unicode file exactly its Windows-1252 result,
// re-encoded; the code-page filters give code-page bytes.
TEST_F(EncodedDocument, EveryFilterGivesTheWindows1252ResultReEncoded) {
  const std::string path = dir_.File("brief.txt");
  for (const FilterEntry& entry : FilterCatalogue()) {
    Application reference = NewApp();
    reference.document.text = std::string(kLetter);
    entry.run(reference);
    const std::string& expected_text = *reference.document.text;
    for (const TextEncoding encoding : kUnicodeEncodings) {
      SCOPED_TRACE(std::string(entry.label) + " in " +
                   std::string(EncodingName(encoding)));
      WriteFile(path, EncodeDocument(kLetter, encoding));
      Application app = NewApp();
      ASSERT_TRUE(ReadDocument(app, Quoted(path)));
      ASSERT_EQ(app.document.encoding, encoding);
      entry.run(app);
      SaveDocument(app.document, path, messages_);
      EXPECT_EQ(ReadFile(path), entry.gives_code_page_bytes
                                    ? expected_text
                                    : EncodeDocument(expected_text, encoding));
    }
  }
}

TEST_F(EncodedDocument, CharactersOutsideWindows1252AreKeptAsBytesAndToldOnce) {
  const std::string bytes = "Stra\xC5\xBC \xF0\x9F\x98\x80\r\n";
  WriteFile(dir_.File("pl.txt"), bytes);
  Application app = NewApp();
  ASSERT_TRUE(ReadDocument(app, Quoted(dir_.File("pl.txt"))));
  EXPECT_EQ(app.document.text, bytes);
  EXPECT_EQ(app.document.encoding, TextEncoding::kCp1252);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].first, kCaptionNote);
  EXPECT_EQ(messages_.shown[0].second, kTextOutsideCp1252);
}

TEST_F(EncodedDocument, RefusedFilesKeepThePreviousDocument) {
  struct Refusal {
    const char* character_set;
    std::string bytes;
    std::string_view message;
  };
  const Refusal refusals[] = {
      {"utf-8",
       "Gr\xF6\xDF"
       "e",
       kFileNotUtf8},
      {"Auto", std::string("\xFF\xFEH\0\0\0", 6), kFileHoldsZeroBytes},
      {"ANSI", std::string("\xFF\xFEH\0", 4), kFileHoldsZeroBytes},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.character_set);
    messages_.shown.clear();
    WriteFile(dir_.File("x.txt"), refusal.bytes);
    Application app = NewApp();
    app.settings.character_set = refusal.character_set;
    app.document.text = "vorher";
    app.document.encoding = TextEncoding::kUtf16Be;
    EXPECT_FALSE(ReadDocument(app, Quoted(dir_.File("x.txt"))));
    EXPECT_EQ(app.document.text, "vorher");
    EXPECT_EQ(app.document.encoding, TextEncoding::kUtf16Be);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].second, refusal.message);
  }
}

}  // namespace
}  // namespace quor
