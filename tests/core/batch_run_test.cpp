// Runs the built program the way a user does: copied into a folder of its
// own, with its settings file and word lists beside it.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <vector>

#include "core/app/version.h"
#include "core/files/document_encoding.h"
#include "core/filters/char_filters.h"
#include "core/filters/code_pages.h"
#include "core/filters/exclude_list.h"
#include "core/filters/keep_nouns.h"
#include "core/filters/word_deletion.h"
#include "core/filters/wrap_words.h"
#include "program_run.h"
#include "test_support.h"

// AddressSanitizer reserves far more address space than a memory limit
// leaves.
#if defined(__SANITIZE_ADDRESS__)
#define QUOR_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUOR_ADDRESS_SANITIZER
#endif
#endif

namespace quor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

using RunResult = testing::ProgramRun;

class BatchRun : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = dir_.File("quorfilter");
    std::filesystem::copy_file(QUORFILTER_PROGRAM, program_);
  }

  // Runs the program with `arguments`, through `shell_prefix` when given
  // (a shell command that ends by exec'ing "$@").
  RunResult Run(const std::vector<std::string>& arguments,
                const std::string& shell_prefix = "") {
    return testing::RunProgram(program_, arguments, dir_.path(), "",
                               shell_prefix);
  }

  std::string Document(std::string_view bytes,
                       const std::string& name = "doc.txt") {
    WriteFile(dir_.File(name), bytes);
    return dir_.File(name);
  }

  testing::TempDir dir_;
  std::string program_;
};

// The path is the rest of the argument as the shell gave it, blanks and
// quotes and all; only quotes around the whole of it are dropped.
TEST_F(BatchRun, PathIsTakenAsTheShellGaveIt) {
  const std::string doc = Document("a\nb", "mit blank.txt");
  EXPECT_EQ(Run({"-d:" + doc, "-f209", "-C"}).status, 0);
  EXPECT_EQ(ReadFile(doc), "a\r\nb");
  EXPECT_EQ(Run({"-d:\"" + doc + "\"", "-F208", "-c"}).status, 0);
  EXPECT_EQ(ReadFile(doc), "a\nb");
  const std::string quoted = Document("a\r\nb", "dq\"name.txt");
  const std::string cut = Document("a\r\nb", "dq");
  EXPECT_EQ(Run({"-D:" + quoted, "-F208", "-c"}).status, 0);
  EXPECT_EQ(ReadFile(quoted), "a\nb");
  EXPECT_EQ(ReadFile(cut), "a\r\nb");
  // Neither an opening quote that is not closed at the argument's end nor a
  // path of no readable file names a document.
  for (const std::string& argument :
       {"-d:\"" + quoted, "-d:\"" + cut + "\"x", std::string("-d:\""),
        "-d:" + dir_.File("fehlt.txt"), "-d:" + dir_.path(),
        "-d:" + cut + "/x.txt"}) {
    const RunResult run = Run({argument, "-F209", "-c"});
    EXPECT_EQ(run.status, 1) << argument;
    EXPECT_EQ(run.err, "quorfilter: Fehler! Kann Datei nicht öffnen.\n");
  }
  EXPECT_FALSE(testing::FileExists(dir_.File("fehlt.txt")));
  EXPECT_EQ(ReadFile(quoted), "a\nb");
  EXPECT_EQ(ReadFile(cut), "a\r\nb");
}

TEST_F(BatchRun, OptionsRunInTheirFixedOrderOnceEach) {
  const std::string doc = Document("a\r\nb");
  // Dos -> Mac comes before Dos -> Unix, whatever the command line says.
  const RunResult run = Run({"-F208", "-d:" + doc, "-F206", "-F206", "-c"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadFile(doc), "a\rb");
}

TEST_F(BatchRun, OptionsAndBatchEndAreNeverFoundInsideThePath) {
  std::filesystem::create_directory(dir_.File("x-f103-cd"));
  const std::string doc = Document("a\nb", "x-f103-cd/doc.txt");
  ASSERT_EQ(Run({"-d:" + doc, "-F209", "-c"}).status, 0);
  EXPECT_EQ(ReadFile(doc), "a\r\nb");
  // Neither a path after -d: nor a command line of nothing but a path runs
  // anything or ends as a batch run: without a display the window is
  // refused.
  const std::string no_display =
      "unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM";
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"-d:" + doc}, std::vector<std::string>{doc}}) {
    const RunResult run = Run(arguments, no_display);
    EXPECT_EQ(run.status, 2) << arguments.back();
    EXPECT_NE(run.err.find("Kein Bildschirm gefunden"), std::string::npos);
  }
  // Options without -d: belong to the conventional command line, which
  // knows no "-c".
  const RunResult run = Run({"-F208", "-c"}, no_display);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("not expected: -c"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(doc), "a\r\nb");
}

// A pipe in place of the settings file, a word list or the document would
// leave the run waiting for a writer; none is read.
TEST_F(BatchRun, PipesAreNotReadAsFiles) {
  for (const char* name :
       {"quorfilter.INI", "FILTER.TXT", "REPLACE.TXT", "pipe.txt"}) {
    ASSERT_EQ(::mkfifo(dir_.File(name).c_str(), 0600), 0) << name;
  }
  const std::string give_up = "exec timeout 20 \"$@\"";
  const std::string doc = Document("eins zwei\r\n");
  RunResult run = Run({"-d:" + doc, "-F104", "-F105", "-F208", "-c"}, give_up);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadFile(doc), "eins zwei\n");
  run = Run({"-d:" + dir_.File("pipe.txt"), "-F208", "-c"}, give_up);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "quorfilter: Fehler! Kann Datei nicht öffnen.\n");
}

TEST_F(BatchRun, FailedWriteBackKeepsTheFileAndFails) {
  const std::string original(4000, '\n');
  const std::string doc = Document(original);
  // A file-size limit of 4 KiB lets the bigger result fail to be written;
  // the signal that comes with it does not end the program.
  const RunResult run = Run({"-d:" + doc, "-F209", "-c"}, "ulimit -f 4");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "quorfilter: Fehler! Kann Datei nicht anlegen.\n");
  EXPECT_EQ(ReadFile(doc), original);
  // No temporary file is left beside the program, the document and the
  // run's standard input, output and error.
  EXPECT_EQ(testing::EntriesIn(dir_.path()), 5u);
}

// Output that is lost fails the run, but only once its work is done: a
// pipe nobody reads no longer ends the program before it saves.
TEST_F(BatchRun, LostOutputFailsTheRunAfterItsWork) {
  for (const char* option : {"--help", "--version"}) {
    const RunResult run = Run({option}, "exec >/dev/full");
    EXPECT_EQ(run.status, 1) << option;
    EXPECT_EQ(run.err,
              "quorfilter: Fehler! Kann die Ausgabe nicht schreiben.\n");
  }
  // A run that writes nothing to standard output loses nothing there.
  const std::string doc = Document("");
  for (const char* unwritable : {"exec >/dev/full", "exec >&-"}) {
    WriteFile(doc, "a\r\n");
    EXPECT_EQ(Run({"-d:" + doc, "-F208", "-c"}, unwritable).status, 0);
    EXPECT_EQ(ReadFile(doc), "a\n");
  }

  // The run warns, into a closed standard error and into a pipe whose
  // reader has gone (opened through a named pipe, whose other end is then
  // closed).
  WriteFile(dir_.File("quorfilter.INI"), "[Filter]\nZeichenL\xE4nge=1\n");
  const std::string fifo = dir_.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string unread_pipe = "exec 3<>" + fifo + " 2>" + fifo + " 3<&-";
  for (const std::string& lost : {std::string("exec 2>&-"), unread_pipe}) {
    WriteFile(doc, "aab abc\r\n");
    const RunResult run = Run({"-d:" + doc, "-F212", "-F208", "-c"}, lost);
    EXPECT_EQ(run.status, 1) << lost;
    EXPECT_EQ(ReadFile(doc), "aab abc\n") << lost;
  }
}

// A run that reported an error may hold a half-done text (a filter that ran
// out of memory half way), so it writes nothing back.
TEST_F(BatchRun, RunThatReportedAnErrorWritesNothingBack) {
#ifdef QUOR_ADDRESS_SANITIZER
  GTEST_SKIP() << "AddressSanitizer cannot run under a memory limit";
#endif
  // 32 MB of text and 16 MB of room beside it: -F5 and -F214 have already
  // changed the text in place when they fail to get the room for their
  // result; -F208 needs none and shows that the text itself fits.
  std::string text;
  const std::string line = "Wort und Wort\r\n";
  while (text.size() < (std::size_t{32} << 20)) text += line;
  const std::string big = Document(text, "big.txt");
  const std::string limit = "ulimit -v 49152";
  for (const char* option : {"-F5", "-F214"}) {
    const RunResult run = Run({"-d:" + big, option, "-c"}, limit);
    EXPECT_EQ(run.status, 1) << option;
    EXPECT_EQ(run.err, "quorfilter: Fehler! Nicht genug Speicher frei.\n")
        << option;
    EXPECT_TRUE(ReadFile(big) == text) << option;
  }
  EXPECT_EQ(Run({"-d:" + big, "-F208", "-c"}, limit).status, 0);
  EXPECT_EQ(ReadFile(big).size(), text.size() / line.size() * 14);
}

// What the filters give in-process, for comparing with a batch run.
std::string Filtered(std::string text,
                     const std::function<void(TextDocument&, Messages&)>& run) {
  testing::RecordingMessages messages;
  TextDocument document{std::move(text)};
  run(document, messages);
  return *document.text;
}

TEST_F(BatchRun, ShortOptionRunsInsideTheLongerOneFirst) {
  const std::string text =
      "Gr\xFC\xDF"
      "e 4x und 2026 mehr";
  const std::string doc = Document(text);
  ASSERT_EQ(Run({"-d:" + doc, "-F101", "-c"}).status, 0);
  EXPECT_EQ(ReadFile(doc), Filtered(text, [](TextDocument& d, Messages& m) {
              AnsiToOem(d, m);
              RemoveWordsWithDigits(d, m);
            }));
}

TEST_F(BatchRun, ParametersComeFromTheSettingsFileBesideTheProgram) {
  WriteFile(dir_.File("quorfilter.INI"),
            "[Allgemein]\r\nTrennzeichen=\" ; \"\r\n[Filter]\r\n"
            "Zeichenl\xC4nge=3\r\nWORTL\xE4NGE=4\r\nUmbruch Zeichen=12\r\n");
  const std::string text = "Der Baum steht im Gaaarten mit Moos und Laub.";
  const std::string doc = Document(text);
  ASSERT_EQ(Run({"-d:" + doc, "-F212", "-F213", "-F214", "-F5", "-c"}).status,
            0);
  EXPECT_EQ(ReadFile(doc), Filtered(text, [](TextDocument& d, Messages& m) {
              WrapWords(d, 12, m);
              RemoveRepeatedCharWords(d, 3, m);
              RemoveShortWords(d, 4, m);
              KeepNouns(d, " ; ", m);
            }));
}

TEST_F(BatchRun, ReaderAliasesRunTheModernReaderWhenTheSettingSaysSo) {
  const struct {
    const char* option;
    const char* source;
    const char* modern;
    const char* exact;
  } cases[] = {
      {"-F3", "<script src=\"x.js\">go()</script><div>a</div>b", "a\r\nb\r\n",
       " go()  a"},
      {"-F4", "{\\rtf1{\\*\\generator W;}Text\\par}", "Text\r\n", "W;Text\n"},
  };
  for (const auto& c : cases) {
    for (const int setting : {1, 0}) {
      WriteFile(
          dir_.File("quorfilter.INI"),
          "[Filter]\r\nModerne Leser=" + std::to_string(setting) + "\r\n");
      const std::string doc = Document(c.source);
      ASSERT_EQ(Run({"-d:" + doc, c.option, "-c"}).status, 0);
      EXPECT_EQ(testing::Escaped(ReadFile(doc)),
                testing::Escaped(setting ? c.modern : c.exact))
          << c.option << " " << setting;
    }
  }
}

// Runs that refuse the document, or a setting or list, leave the document
// as it was and say why.
TEST_F(BatchRun, RefusalsLeaveTheDocumentAndSayWhy) {
  const struct {
    std::string settings;
    std::string replace_list;
    std::string document;
    const char* option;
    int status;
    const char* error;
  } cases[] = {
      {"[Filter]\nZeichenL\xE4nge=1\n", "", "aab abc", "-F212", 0,
       "quorfilter: Warnung! Zeichenlänge 1 nicht zugelassen\n"},
      // Rubbish in the settings file does not fail the run; the list is not
      // used rather than cut at its zero byte.
      {std::string("\xFF\x01[Filter\r\n=\r\n\0\r\n[Filter]\r\nlfcrlf\r\n", 35) +
           std::string(1'000'000, '[') + "\r\n",
       std::string("alte\0Inhalt\r\n", 13), "Der alte Inhalt\r\nbleibt.\r\n",
       "-F105", 0, "quorfilter: Warnung! REPLACE.TXT enthält Nullbytes.\n"},
      {"", "", std::string("vorne\0hinten\r\n", 14), "-F208", 1,
       "quorfilter: Fehler! Datei enthält Nullbytes.\n"},
      {"[allgemein]\nZEICHENSATZ=utf-8\n", "",
       "Gr\xF6\xDF"
       "e\r\n",
       "-F208", 1, "quorfilter: Fehler! Datei ist kein gültiges UTF-8.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    WriteFile(dir_.File("quorfilter.INI"), c.settings);
    WriteFile(dir_.File("REPLACE.TXT"), c.replace_list);
    const std::string doc = Document(c.document);
    const RunResult run = Run({"-d:" + doc, c.option, "-c"});
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.error);
    EXPECT_EQ(ReadFile(doc), c.document);
  }
}

TEST_F(BatchRun, WordListsBesideTheProgramAreApplied) {
  const std::string text = "eins zwei drei\r\nvier\r\n";
  const std::string doc = Document(text);
  ASSERT_EQ(Run({"-d:" + doc, "-F104", "-c"}).status, 0);
  EXPECT_EQ(ReadFile(doc), text);  // no list: nothing happens

  WriteFile(dir_.File("FILTER.TXT"), "zwei\r\n");
  WriteFile(dir_.File("REPLACE.TXT"), "vier\r\nfuenf\r\n");
  ASSERT_EQ(Run({"-d:" + doc, "-F104", "-F105", "-c"}).status, 0);
  const std::string excluded = Filtered(text, [](TextDocument& d, Messages& m) {
    ApplyExcludeList(d, std::string("zwei\r\n"), m);
  });
  EXPECT_NE(excluded, text);
  EXPECT_EQ(ReadFile(doc), excluded.substr(0, excluded.find("vier")) + "fuenf" +
                               excluded.substr(excluded.find("vier") + 4));
}

// Every "-F1xx" and "-F2xx" option also runs a code-page filter, which
// leaves code-page bytes; the others keep the file's encoding.
TEST_F(BatchRun, UnicodeDocumentsComeBackInTheirOwnEncoding) {
  WriteFile(dir_.File("quorfilter.INI"), "[Filter]\nUmbruch Zeichen=6\n");
  const std::string text =
      "Gr\xF6\xDF"
      "e und \xC4pfel\r\n";
  const std::string wrapped =
      Filtered(text, [](TextDocument& d, Messages& m) { WrapWords(d, 6, m); });
  for (const TextEncoding encoding :
       {TextEncoding::kUtf8, TextEncoding::kUtf16Le}) {
    const std::string doc = Document(EncodeDocument(text, encoding));
    ASSERT_EQ(Run({"-d:" + doc, "-F5", "-c"}).status, 0);
    EXPECT_EQ(ReadFile(doc), EncodeDocument(wrapped, encoding));
    ASSERT_EQ(Run({"-d:" + doc, "-F102", "-c"}).status, 0);
    EXPECT_EQ(ReadFile(doc),
              Filtered(wrapped, [](TextDocument& d, Messages& m) {
                AnsiToOem(d, m);
                KeepLettersOnly(d, m);
              }));
  }

  const std::string bytes = "\xF0\x9F\x98\x80 \xC3\xA4\r\n";
  const std::string emoji = Document(bytes);
  const RunResult run = Run({"-d:" + emoji, "-F5", "-c"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "quorfilter: Hinweis! Text enthält Zeichen außerhalb von "
            "Windows-1252 und wird als Bytes bearbeitet.\n");
  EXPECT_EQ(ReadFile(emoji), Filtered(bytes, [](TextDocument& d, Messages& m) {
              WrapWords(d, 6, m);
            }));
}

TEST_F(BatchRun, RtfMessagesGoToStandardErrorWithoutFailingTheRun) {
  const std::string doc = Document(
      "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}Hallo\\par}");
  const RunResult run = Run({"-d:" + doc, "-F4", "-c"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("quorfilter: RTF-Error "), std::string::npos);
  EXPECT_EQ(ReadFile(doc).find("Hallo"), 0u);
}

TEST_F(BatchRun, HelpAndVersion) {
  const RunResult help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("liegen in: " + dir_.path() + "\n"),
            std::string::npos);
  const RunResult version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string(kNameAndVersion) + "\n");
}

TEST_F(BatchRun, LoadsNoToolkitLibrary) {
  const std::string doc = Document("a\r\nb\r\n");
  const RunResult run =
      Run({"-d:" + doc, "-F208", "-c"}, "export LD_DEBUG=files");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("calling init"), std::string::npos);
  EXPECT_EQ(run.err.find("libQt"), std::string::npos);
  EXPECT_EQ(ReadFile(doc), "a\nb\n");
}

// The copied program has no desktop part beside it; -COPY fails after
// -F208, whose result is then not written back either.
TEST_F(BatchRun, MissingDesktopPartIsReported) {
  const std::string doc = Document("Text\r\n");
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"-d:" + doc, "-F208", "-COPY"},
        std::vector<std::string>{"-d:" + doc}}) {
    const RunResult run = Run(arguments, "export DISPLAY=:0");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.find("quorfilter: Fehler! Kann den Desktop-Teil nicht "
                           "laden: "),
              0u)
        << run.err;
  }
  EXPECT_EQ(ReadFile(doc), "Text\r\n");
}

// An installed copy: the program's folder is not writable for the user and
// holds no settings file, so settings and lists come from the user's
// configuration folder.
TEST_F(BatchRun, InstalledCopyUsesTheUserConfigFolder) {
  const std::string work = dir_.File("work");
  const std::string config = dir_.File("config");
  std::filesystem::create_directories(config + "/quorfilter");
  std::filesystem::create_directory(work);
  WriteFile(config + "/quorfilter/quorfilter.INI",
            "[Filter]\r\nUmbruch Zeichen=4\r\n");
  const std::string doc = Document("eins zwei drei", "work/doc.txt");
  namespace fs = std::filesystem;
  fs::permissions(work, fs::perms::all);
  fs::permissions(doc, fs::perms::all);
  std::string as_user = "export XDG_CONFIG_HOME=" + config;
  if (::geteuid() == 0) {
    // Root may write anywhere; the run goes as another user instead.
    fs::permissions(dir_.path(), fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec |
                                     fs::perms::others_read |
                                     fs::perms::others_exec);
    as_user +=
        "; exec setpriv --reuid=65534 --regid=65534 --clear-groups "
        "\"$@\"";
  } else {
    fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::owner_exec);
  }
  const RunResult help = Run({"--help"}, as_user);
  const RunResult run = Run({"-d:" + doc, "-F5", "-c"}, as_user);
  fs::permissions(dir_.path(), fs::perms::owner_all);
  EXPECT_NE(help.out.find("liegen in: " + config + "/quorfilter\n"),
            std::string::npos)
      << help.out << help.err;
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFile(doc), "eins\r\nzwei\r\ndrei");
}

}  // namespace
}  // namespace quor
