// Disks that fail, files that are not what they seem, and settings files and
// word lists that are full of rubbish: each gives the program's message or
// plain success, and no file the user had is lost or damaged.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "alloc_failure.h"
#include "alloc_walk.h"
#include "core/app/application.h"
#include "core/app/document_file.h"
#include "core/app/document_history.h"
#include "core/files/word_lists.h"
#include "core/filters/duplicate_lines.h"
#include "core/filters/duplicate_words.h"
#include "core/filters/exclude_list.h"
#include "core/filters/html_to_text.h"
#include "core/filters/keep_nouns.h"
#include "core/filters/replace_all.h"
#include "core/filters/replace_list.h"
#include "core/filters/wrap_words.h"
#include "core/rtf/convert_rtf.h"
#include "core/rtf/modern_rtf.h"
#include "core/settings/settings.h"
#include "core/view/view_model.h"
#include "reference/word_list_reference.h"
#include "test_support.h"

namespace quor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

constexpr std::string_view kOriginal = "Der alte Inhalt\r\nbleibt.\r\n";

// Runs `body` in a child process, whose memory peak then counts alone.
struct ChildRun {
  bool succeeded;
  long peak_kb;
};

ChildRun InChild(const std::function<bool()>& body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body() ? 0 : 1);
  int status = 0;
  rusage usage{};
  if (child < 0 || ::wait4(child, &status, 0, &usage) != child) {
    return {false, 0};
  }
  return {WIFEXITED(status) && WEXITSTATUS(status) == 0, usage.ru_maxrss};
}

class Reliability : public ::testing::Test {
 protected:
  // Saves a document over `path` and expects the save to be refused.
  void ExpectSaveRefused(const std::string& path) {
    messages_.shown.clear();
    SaveDocument(TextDocument{std::string("neu")}, path, messages_);
    ASSERT_EQ(messages_.shown.size(), 1u) << path;
    EXPECT_EQ(messages_.shown[0].first, "Fehler!");
    EXPECT_EQ(messages_.shown[0].second, "Kann Datei nicht anlegen.");
  }

  testing::TempDir dir_;
  testing::RecordingMessages messages_;
};

TEST_F(Reliability, SaveWhereNoFileCanBeIsRefused) {
  const std::string file = dir_.File("doc.txt");
  WriteFile(file, kOriginal);
  std::filesystem::create_directory(dir_.File("folder"));
  for (const std::string& path :
       {file + "/neu.txt", file + "/", dir_.File("folder"),
        dir_.File("no/such/file.txt"), std::string("/dev/full")}) {
    ExpectSaveRefused(path);
  }
  EXPECT_EQ(ReadFile(file), kOriginal);
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("folder")));
  EXPECT_EQ(testing::EntriesIn(dir_.path()), 2u);
}

TEST_F(Reliability, SaveIntoAReadOnlyFolderIsRefused) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into any folder";
  const std::string folder = dir_.File("ro");
  std::filesystem::create_directory(folder);
  WriteFile(folder + "/doc.txt", kOriginal);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  ExpectSaveRefused(folder + "/doc.txt");
  ExpectSaveRefused(folder + "/neu.txt");
  EXPECT_EQ(ReadFile(folder + "/doc.txt"), kOriginal);
  EXPECT_EQ(testing::EntriesIn(folder), 1u);
  ::chmod(folder.c_str(), 0755);
}

TEST_F(Reliability, SaveOverAReadOnlyFileIsRefused) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes any file";
  const std::string file = dir_.File("doc.txt");
  WriteFile(file, kOriginal);
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  ExpectSaveRefused(file);
  EXPECT_EQ(ReadFile(file), kOriginal);
}

TEST_F(Reliability, HugeSparseFileIsRefusedQuickly) {
  // 2 GB of zeros without a disk block: the file is refused at its first
  // zero, so neither the memory nor the time should grow with the file.
  const std::string file = dir_.File("sparse.bin");
  {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t{2} << 30), 0);
    ::close(fd);
  }
  const auto start = std::chrono::steady_clock::now();
  const ChildRun run = InChild([&] {
    testing::RecordingMessages messages;
    Application app(ProgramPaths{}, messages);
    LoadDocument(app, file);
    return !app.document.HasText() && messages.shown.size() == 1 &&
           messages.shown[0].second == "Datei enthält Nullbytes.";
  });
  EXPECT_TRUE(run.succeeded);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  EXPECT_LT(run.peak_kb, 512 * 1024) << "kB at the peak";
}

TEST(ReliabilitySettings, RubbishAroundTheKeysIsIgnoredAndKeptByteForByte) {
  testing::TempDir dir;
  testing::RecordingMessages messages;
  Settings wanted;
  wanted.wrap_width = 33;
  wanted.separator = ";";
  SaveSettings(dir.File("clean.INI"), wanted, messages);
  const std::string clean = ReadFile(dir.File("clean.INI"));
  const std::size_t section = clean.find("[Filter]\r\n");
  ASSERT_NE(section, std::string::npos);
  const std::size_t filter = section + 10;

  // Binary rubbish, a 10 MB line, lines without "=", zero bytes, and later
  // copies of keys and sections that must not win.
  const std::string rubbish = std::string("\x01\xFF\x7F=\r\n[\r\n]]\r\n") +
                              std::string(10'000'000, 'x') + "\r\n" +
                              "Umbruch Zeichen\r\n" +
                              std::string("Umbruch\0Zeichen=5\r\n", 19);
  const std::string hostile =
      rubbish + clean.substr(0, filter) + rubbish + clean.substr(filter) +
      "Umbruch Zeichen=99\r\n[Allgemein]\r\nTrennzeichen=\"'x'\"\r\n" + rubbish;
  WriteFile(dir.File("user.INI"), hostile);

  Settings loaded;
  LoadSettings(dir.File("user.INI"), loaded, messages);
  EXPECT_EQ(loaded.wrap_width, 33);
  EXPECT_EQ(loaded.separator, ";");
  EXPECT_EQ(loaded.min_word_length, 2);

  SaveSettings(dir.File("user.INI"), loaded, messages);
  EXPECT_TRUE(ReadFile(dir.File("user.INI")) == hostile);
  loaded.wrap_width = 44;
  SaveSettings(dir.File("user.INI"), loaded, messages);
  std::string changed = hostile;
  changed.replace(hostile.find("Umbruch Zeichen=33"), 18, "Umbruch Zeichen=44");
  EXPECT_TRUE(ReadFile(dir.File("user.INI")) == changed);
}

TEST(ReliabilitySettings,
     HugeFilesTakeTheMemoryOfTheirBytesAndALackIsReported) {
  testing::TempDir dir;
  const std::string path = dir.File("user.INI");
  // Four million empty lines, keys and headers, then the key that counts.
  std::string bytes;
  for (int i = 0; i < 1'000'000; ++i) bytes += "\n=\n\n[\n";
  bytes += "[Filter]\nUmbruch Zeichen=33\n";
  WriteFile(path, bytes);

  const ChildRun run = InChild([&] {
    testing::RecordingMessages messages;
    Settings settings;
    LoadSettings(path, settings, messages);
    settings.min_word_length = 5;
    SaveSettings(path, settings, messages);
    return settings.wrap_width == 33 && messages.shown.empty();
  });
  EXPECT_TRUE(run.succeeded);
  EXPECT_LT(run.peak_kb, 128 * 1024) << "kB at the peak";
  const std::string saved = ReadFile(path);
  EXPECT_EQ(saved.substr(0, bytes.size() - 1),
            bytes.substr(0, bytes.size() - 1));

  // Without memory for the file: the settings stay, the file too.
  testing::RecordingMessages messages;
  Settings settings{.wrap_width = 12};
  {
    const auto failure = testing::AllocationFailure::FromSize(1 << 20);
    LoadSettings(path, settings, messages);
    SaveSettings(path, Settings{}, messages);
  }
  EXPECT_EQ(settings.wrap_width, 12);
  EXPECT_EQ(ReadFile(path), saved);
  ASSERT_EQ(messages.shown.size(), 2u);
  for (const auto& [caption, text] : messages.shown) {
    EXPECT_EQ(caption, "Fehler!");
    EXPECT_EQ(text, "Nicht genug Speicher frei.");
  }
}

TEST(ReliabilityWordLists, LongLinesAndMissingBreaks) {
  testing::TempDir dir;
  // The plain versions are slow on long entries only where the text has
  // long runs to match them against, so the text is short.
  const std::string long_line(10'000'000, 'a');
  const std::string text = "ein Text mit aaaa und Haus\r\n";
  const std::vector<std::string> lists = {long_line + "\r\nb\r\n", long_line,
                                          "aaa", "mit\r\nohne\r\nText"};
  for (const std::string& bytes : lists) {
    WriteFile(dir.File("LIST.TXT"), bytes);
    std::int32_t enabled = 1;
    testing::RecordingMessages messages;
    const std::optional<std::string> list = LoadWordList(
        dir.File("LIST.TXT"), CharacterSet::kAuto, enabled, messages);
    ASSERT_TRUE(list);
    EXPECT_EQ(enabled, 1);
    EXPECT_EQ(*list, bytes);

    TextDocument excluded{text};
    ApplyExcludeList(excluded, list, messages);
    EXPECT_EQ(*excluded.text, reference::ApplyExcludeList(text, *list));
    TextDocument replaced{text};
    ApplyReplaceList(replaced, list, messages);
    EXPECT_EQ(*replaced.text, reference::ApplyReplaceList(text, *list));
    EXPECT_TRUE(messages.shown.empty());
  }
}

using testing::PreparedMessages;
using testing::Shown;
using testing::WalkFailingAllocations;

const Shown kNoMemoryShown = {{"Fehler!", "Nicht genug Speicher frei."}};

struct FilterRun {
  TextDocument document;
  std::unique_ptr<PreparedMessages> messages;
};

struct FilterCase {
  const char* name;
  std::function<void(TextDocument&, Messages&)> run;
  // Single-step filters leave the document as it was; composite ones keep
  // what their earlier steps did.
  bool unchanged_on_failure;
  const char* source = nullptr;  // the German text when none
};

TEST(ReliabilityMemory, EveryFailingAllocationOfAFilterIsReported) {
  const std::string text =
      "Der Hund und der Mann.\r\nDer Hund und der Mann.\r\n<p>Ein &amp; "
      "Haus, ein Haus im Garten mit Zaun und Tor.</p>\r\n";
  // Made here, so that the walk counts the filters' allocations only.
  const std::optional<std::string> exclude_list("und\r\nHaus\r\n");
  const std::optional<std::string> replace_list(
      "Haus\r\nHof\r\nder\r\ndie\r\nMann\r\nEhemann\r\n");
  const FilterCase cases[] = {
      {"ReplaceAll",
       [](TextDocument& d, Messages& m) { ReplaceAll(d, "hund", "Katze", m); },
       true},
      {"ExcludeList",
       [&](TextDocument& d, Messages& m) {
         ApplyExcludeList(d, exclude_list, m);
       },
       true},
      {"ReplaceList",
       [&](TextDocument& d, Messages& m) {
         ApplyReplaceList(d, replace_list, m);
       },
       false},
      // The same in chunks of a line or so, as a long text is replaced in.
      {"ReplaceListInChunks",
       [&](TextDocument& d, Messages& m) {
         replace_list_detail::ApplyReplaceList(d, replace_list, m, 8, 2);
       },
       false},
      {"DuplicateWords", RemoveDuplicateWords, false},
      {"DuplicateLines", RemoveDuplicateLines, false},
      {"WrapWords", [](TextDocument& d, Messages& m) { WrapWords(d, 12, m); },
       false},
      {"KeepNouns", [](TextDocument& d, Messages& m) { KeepNouns(d, ", ", m); },
       false},
      {"HtmlToText", HtmlToText, false},
      // Fields, destinations and Unicode escapes each allocate their own.
      {"ConvertRtfModern", ConvertRtfModern, true,
       "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\field{\\*\\fldinst "
       "MACROBUTTON m Name}}\\pard Hallo \\'e4 \\u20013?{\\fldrslt L}\\par}"},
  };
  for (const FilterCase& c : cases) {
    const std::string source = c.source != nullptr ? c.source : text;
    TextDocument unfailed{source};
    PreparedMessages unfailed_messages;
    c.run(unfailed, unfailed_messages);
    const std::size_t allocations = WalkFailingAllocations<FilterRun>(
        [&] {
          return FilterRun{TextDocument{source},
                           std::make_unique<PreparedMessages>()};
        },
        [&](FilterRun& r) { c.run(r.document, *r.messages); },
        [&](const FilterRun& r, std::size_t n) {
          // A failure that the filter can do without (a search index) must
          // not change the result.
          if (r.messages->shown().empty()) {
            EXPECT_EQ(r.document.text, unfailed.text) << c.name << " " << n;
            return;
          }
          EXPECT_EQ(r.messages->shown(), kNoMemoryShown) << c.name << " " << n;
          if (c.unchanged_on_failure) {
            EXPECT_EQ(r.document.text, source) << c.name << " " << n;
          }
        });
    EXPECT_TRUE(unfailed_messages.shown().empty()) << c.name;
    if (c.unchanged_on_failure) {
      EXPECT_GT(allocations, 0u) << c.name;
    }
  }
}

TEST(ReliabilityMemory, RtfConversionSurvivesEveryFailingAllocation) {
  const std::string source =
      "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1 Times;}}"
      "{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s1 Normal;}}"
      "\\pard Hallo \\'e4 Welt\\par}";
  std::string converted;
  {
    TextDocument document{source};
    RtfSession session;
    testing::RecordingMessages messages;
    ConvertRtfDocument(document, session, messages);
    converted = *document.text;
  }
  const std::size_t allocations = WalkFailingAllocations<FilterRun>(
      [&] {
        return FilterRun{TextDocument{source},
                         std::make_unique<PreparedMessages>()};
      },
      [&](FilterRun& r) {
        RtfSession session;
        ConvertRtfDocument(r.document, session, *r.messages);
      },
      [&](const FilterRun& r, std::size_t n) {
        // Whatever runs out, the reader's messages so far may stand, then
        // the no-memory message ends the run with the document unchanged;
        // without room for a table entry the conversion goes on without it.
        const auto& shown = r.messages->shown();
        const bool failed = !shown.empty() && shown.back() == kNoMemoryShown[0];
        for (std::size_t i = 0; i + (failed ? 1 : 0) < shown.size(); ++i) {
          EXPECT_EQ(shown[i].first, "RTF-Error") << n << " " << shown[i].second;
        }
        if (failed) {
          EXPECT_EQ(r.document.text, source) << n;
        }
        EXPECT_TRUE(r.document.text) << n;
      });
  EXPECT_GT(allocations, 0u);
  EXPECT_FALSE(converted.empty());
}

struct LoadRun {
  std::unique_ptr<PreparedMessages> messages;
  std::unique_ptr<Application> app;
};

TEST(ReliabilityMemory, EveryFailingAllocationOfALoadKeepsTheDocument) {
  testing::TempDir dir;
  const std::string path = dir.File("dokument-mit-langem-namen.txt");
  WriteFile(path, "Der neue Text\r\nin zwei Zeilen\r\n");
  const std::string argument = "-d:\"" + path + "\"";
  const std::size_t allocations = WalkFailingAllocations<LoadRun>(
      [] {
        LoadRun run{std::make_unique<PreparedMessages>(), nullptr};
        run.app = std::make_unique<Application>(ProgramPaths{}, *run.messages);
        run.app->document.text = "vorher";
        run.app->view.has_window = true;
        run.app->view.visible_columns = 20;
        run.app->view.visible_lines = 5;
        return run;
      },
      [&](LoadRun& r) { LoadDocument(*r.app, argument); },
      [&](const LoadRun& r, std::size_t n) {
        EXPECT_EQ(r.messages->shown(), kNoMemoryShown) << n;
        // Either the text could not be had, or it came in and only the
        // view's line index is missing.
        if (r.app->document.text == "vorher") {
          EXPECT_EQ(r.app->document_path, "") << n;
        } else {
          EXPECT_EQ(r.app->document_path, path) << n;
          EXPECT_FALSE(r.app->view.line_index) << n;
        }
      });
  EXPECT_GT(allocations, 1u);
}

struct RefreshRun {
  ViewState view;
  std::unique_ptr<PreparedMessages> messages;
};

TEST(ReliabilityMemory, EveryFailingAllocationOfARefreshLeavesNoIndex) {
  const TextDocument document{std::string("eine Zeile\r\n") +
                              std::string(300, 'x') + "\r\nEnde"};
  for (const bool wrap : {false, true}) {
    const std::size_t allocations = WalkFailingAllocations<RefreshRun>(
        [] {
          RefreshRun run{{}, std::make_unique<PreparedMessages>()};
          run.view.has_window = true;
          run.view.visible_columns = 20;
          run.view.visible_lines = 5;
          return run;
        },
        [&](RefreshRun& r) {
          RefreshView(document, r.view, wrap, *r.messages);
        },
        [&](const RefreshRun& r, std::size_t n) {
          EXPECT_EQ(r.messages->shown(), kNoMemoryShown) << wrap << " " << n;
          EXPECT_FALSE(r.view.line_index) << wrap << " " << n;
        });
    EXPECT_GT(allocations, 0u) << wrap;
  }
}

TEST(ReliabilityMemory, HistoryLosesItsStepsNeverTheDocument) {
  DocumentHistory history;
  TextDocument document{std::string(1000, 'u')};
  history.Record(document);
  document.text = std::string(1000, 'v');
  {
    const auto failure = testing::AllocationFailure::Nth(1);
    history.Record(document);
    EXPECT_TRUE(failure.Happened());
  }
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.HeldBytes(), 0);

  history.Record(document);
  document.text = "kurz";
  testing::RecordingMessages messages;
  bool undone = true;
  {
    const auto failure = testing::AllocationFailure::Nth(1);
    undone = history.Undo(document, messages);
  }
  EXPECT_FALSE(undone);
  EXPECT_EQ(document.text, "kurz");
  EXPECT_TRUE(history.CanUndo());
  EXPECT_EQ(messages.shown, kNoMemoryShown);
}

}  // namespace
}  // namespace quor
