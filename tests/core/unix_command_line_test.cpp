// The conventional command line as a user runs it: the built program in a
// folder of its own, fed through standard input or files.

#include "core/app/unix_command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "program_run.h"
#include "test_support.h"

namespace quor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

using RunResult = testing::ProgramRun;

class UnixCommandLineRun : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = dir_.File("quorfilter");
    std::filesystem::copy_file(QUORFILTER_PROGRAM, program_);
  }

  // Runs the program with `arguments` and `input` on standard input, in the
  // test's folder, through `shell_prefix` when given.
  RunResult Run(const std::vector<std::string>& arguments,
                std::string_view input = "",
                const std::string& shell_prefix = "") {
    return testing::RunProgram(program_, arguments, dir_.path(), input,
                               shell_prefix);
  }

  std::string Document(const std::string& name, std::string_view bytes) {
    WriteFile(dir_.File(name), bytes);
    return name;
  }

  testing::TempDir dir_;
  std::string program_;
};

struct PipeCase {
  std::vector<std::string> arguments;
  std::string input;
  std::string output;
};

TEST_F(UnixCommandLineRun, FiltersRunInTheOrderWrittenEachAsOftenAsWritten) {
  const std::vector<PipeCase> cases = {
      // No code-page conversion runs that was not named.
      {{"--dos-to-unix", "--upper"}, "gr\xF6n\r\n", "GR\xD6N\n"},
      {{"--lower", "--upper"}, "aB", "AB"},
      {{"--upper", "--lower"}, "aB", "ab"},
      {{"--unix-to-dos", "--unix-to-dos"}, "a\nb", "a\r\r\nb"},
      // An alias is exactly its own filter.
      {{"-F202", "-F208", "-F209"}, "gr\xF6n\r\n", "GR\xD6N\r\n"},
      {{"--upper", "-"}, "x", "X"},
  };
  for (const PipeCase& c : cases) {
    const RunResult run = Run(c.arguments, c.input);
    EXPECT_EQ(run.status, 0) << c.arguments[0] << run.err;
    EXPECT_EQ(testing::Escaped(run.out), testing::Escaped(c.output))
        << c.arguments[0];
    EXPECT_EQ(run.err, "");
  }
}

// The aliases and long options of the exact readers follow the setting; the
// modern readers' options never do. How the setting reads, and the other
// values it takes, are left to the settings and catalogue tests.
TEST_F(UnixCommandLineRun, ReadersFollowTheSettingAndModernOnesNeverDo) {
  const struct {
    std::vector<std::string> options;
    std::string modern_option;
    std::string source;
    std::string exact;
    std::string modern;
  } readers[] = {
      {{"--html", "-F3"},
       "--html-modern",
       "<style type=\"text/css\">p{}</style><p>a&euro;</p>b",
       " p{}  a&euro;",
       "a\x80\r\n\r\nb\r\n"},
      // The exact reader loses the Unicode character and keeps its fallback.
      {{"--rtf", "-F4"},
       "--rtf-modern",
       "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\u8364?1\\par}",
       "?1\n",
       "\x80"
       "1\r\n"},
  };
  for (const char* settings : {"", "[Filter]\r\nModerne Leser=1\r\n"}) {
    WriteFile(dir_.File("quorfilter.INI"), settings);
    const bool modern = std::string_view(settings).ends_with("=1\r\n");
    for (const auto& reader : readers) {
      std::vector<std::pair<std::string, std::string>> runs = {
          {reader.modern_option, reader.modern}};
      for (const std::string& option : reader.options) {
        runs.emplace_back(option, modern ? reader.modern : reader.exact);
      }
      for (const auto& [option, expected] : runs) {
        const RunResult run = Run({"--encoding=ansi", option}, reader.source);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(testing::Escaped(run.out), testing::Escaped(expected))
            << option << " with " << settings;
      }
    }
  }
}

TEST_F(UnixCommandLineRun, FilesGoToStandardOutputInOrderAndFailuresOnlyStop) {
  Document("a.txt", "a\r\n");
  Document("b.txt", "b\r\n");
  const RunResult run =
      Run({"--dos-to-unix", "a.txt", "fehlt.txt", "-", "b.txt"}, "in\r\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "a\nin\nb\n");
  EXPECT_EQ(run.err,
            "quorfilter: fehlt.txt: Fehler! Kann Datei nicht öffnen.\n");
  // Standard input has its own name in messages.
  const RunResult zero = Run({"--upper"}, std::string("a\0b", 3));
  EXPECT_EQ(zero.status, 1);
  EXPECT_EQ(zero.out, "");
  EXPECT_EQ(zero.err,
            "quorfilter: (Standardeingabe): Fehler! Datei enthält "
            "Nullbytes.\n");
}

TEST_F(UnixCommandLineRun, InPlaceWritesTheGoodFilesAndLeavesAFailingOne) {
  Document("gut1.txt", "eins\r\n");
  Document("kaputt.txt", std::string("zwei\0\r\n", 7));
  Document("gut2.txt", "drei\r\n");
  Document("schon.txt", "vier\n");
  const auto before = std::filesystem::last_write_time(dir_.File("schon.txt"));
  const RunResult run = Run({"-i", "--dos-to-unix", "gut1.txt", "kaputt.txt",
                             "gut2.txt", "schon.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "quorfilter: kaputt.txt: Fehler! Datei enthält Nullbytes.\n");
  EXPECT_EQ(ReadFile(dir_.File("gut1.txt")), "eins\n");
  EXPECT_EQ(ReadFile(dir_.File("gut2.txt")), "drei\n");
  EXPECT_EQ(ReadFile(dir_.File("kaputt.txt")), std::string("zwei\0\r\n", 7));
  // A file the filters leave as it is is not written at all.
  EXPECT_EQ(std::filesystem::last_write_time(dir_.File("schon.txt")), before);
  EXPECT_EQ(Run({"--in-place", "--upper", "gut1.txt"}).status, 0);
  EXPECT_EQ(ReadFile(dir_.File("gut1.txt")), "EINS\n");
}

// Threads change nothing that can be seen: the same files written, the
// same lists and messages in the same order, with failing files among them.
TEST_F(UnixCommandLineRun, JobsGiveWhatOneJobGives) {
  std::vector<std::string> names;
  for (int i = 0; i < 300; ++i) {
    const std::string name = "f" + std::to_string(i) + ".txt";
    names.push_back(name);
  }
  const auto fill = [&] {
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string text = "Zeile " + std::to_string(i) + "\r\n";
      Document(names[i], i % 7 == 3 ? text + '\0' : i % 5 == 0 ? "" : text);
    }
  };
  std::vector<std::vector<std::string>> results;
  for (const char* jobs : {"-j1", "-j4"}) {
    fill();
    std::vector<std::string> arguments = {jobs, "--check", "--dos-to-unix"};
    arguments.insert(arguments.end(), names.begin(), names.end());
    const RunResult check = Run(arguments);
    arguments[1] = "-i";
    const RunResult in_place = Run(arguments);
    std::vector<std::string> seen = {
        check.out,    check.err,    std::to_string(check.status),
        in_place.out, in_place.err, std::to_string(in_place.status)};
    for (const std::string& name : names) {
      seen.push_back(ReadFile(dir_.File(name)));
    }
    results.push_back(seen);
  }
  EXPECT_EQ(results[0][2], "1");
  EXPECT_NE(results[0][1], "");
  EXPECT_EQ(ReadFile(dir_.File("f1.txt")), "Zeile 1\n");
  EXPECT_TRUE(results[0] == results[1]);
}

TEST_F(UnixCommandLineRun, OutputFileTakesTheOneResult) {
  Document("in.txt", "a\r\n");
  RunResult run = Run({"--dos-to-unix", "-o", "out.txt", "in.txt"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ReadFile(dir_.File("out.txt")), "a\n");
  EXPECT_EQ(ReadFile(dir_.File("in.txt")), "a\r\n");
  run = Run({"--upper", "--output=out.txt"}, "b");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadFile(dir_.File("out.txt")), "B");
  run = Run({"--upper", "-o", "-", "in.txt"});
  EXPECT_EQ(run.out, "A\r\n");
  EXPECT_FALSE(testing::FileExists(dir_.File("-")));
  run = Run({"--upper", "-o", "nicht/da/out.txt", "in.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "quorfilter: nicht/da/out.txt: Fehler! Kann Datei nicht "
            "anlegen.\n");
}

TEST_F(UnixCommandLineRun, CheckListsTheFilesThatWouldChange) {
  Document("dos.txt", "a\r\n");
  Document("unix.txt", "a\n");
  RunResult run = Run({"--check", "--dos-to-unix", "unix.txt", "dos.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "dos.txt\n");
  EXPECT_EQ(ReadFile(dir_.File("dos.txt")), "a\r\n");
  run = Run({"--check", "--dos-to-unix", "unix.txt"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
}

TEST_F(UnixCommandLineRun, EachResultKeepsItsInputsEncoding) {
  const std::string utf8 = "gr\xC3\xBCn\r\n";
  Document("utf8.txt", utf8);
  Document("ansi.txt", "gr\xFCn\r\n");
  RunResult run =
      Run({"-i", "--dos-to-unix", "--upper", "utf8.txt", "ansi.txt"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFile(dir_.File("utf8.txt")), "GR\xC3\x9CN\n");
  EXPECT_EQ(ReadFile(dir_.File("ansi.txt")), "GR\xDCN\n");
  // As bytes, the two bytes of the UTF-8 letter are no letters.
  run = Run({"--encoding=ansi", "--upper"}, utf8);
  EXPECT_EQ(run.out, "GR\xC3\xBCN\r\n");
  run = Run({"--encoding=UTF-8", "--upper", "ansi.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "quorfilter: ansi.txt: Fehler! Datei ist kein gültiges UTF-8.\n");
  // The setting is the default.
  WriteFile(dir_.File("quorfilter.INI"), "[Allgemein]\r\nZeichensatz=ANSI\r\n");
  EXPECT_EQ(Run({"--upper"}, utf8).out, "GR\xC3\xBCN\r\n");
}

TEST_F(UnixCommandLineRun, NamedWordListIsUsedAndAMissingOneStopsTheRun) {
  WriteFile(dir_.File("weg.txt"), "zwei\r\n");
  Document("doc.txt", "eins zwei drei");
  RunResult run = Run({"--exclude=weg.txt", "doc.txt"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "eins  drei");
  run = Run({"-i", "--upper", "--exclude=fehlt.txt", "doc.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "quorfilter: fehlt.txt: Fehler! Kann Datei nicht öffnen.\n");
  EXPECT_EQ(ReadFile(dir_.File("doc.txt")), "eins zwei drei");
}

TEST_F(UnixCommandLineRun, UsageErrorsExitWithTwo) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--uper"}, "Meinten Sie --upper?"},
      {{"--dos2unix", "a.txt"}, "not expected: --dos2unix"},
      {{"-F999"}, "-F999"},
      {{"--drop-runs=1"}, "--drop-runs"},
      {{"--wrap=x"}, "--wrap"},
      {{"--upper=3"}, "upper"},
      {{"-j", "0", "--upper"}, "--jobs"},
      {{"--encoding=latin1"}, "--encoding"},
      {{"-i", "--upper"}, "--in-place"},
      {{"-i", "--check", "a.txt"}, "excludes"},
      {{"-o", "x", "a.txt", "b.txt"}, "--output"},
  };
  for (const auto& [arguments, expected] : cases) {
    const RunResult run = Run(arguments);
    EXPECT_EQ(run.status, 2) << arguments[0];
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(expected), std::string::npos) << run.err;
  }
}

TEST_F(UnixCommandLineRun, HelpLeadsWithThisInterfaceAndNamesEveryButton) {
  const RunResult compatible = Run({"--help"});
  const RunResult conventional = Run({"-h", "--upper"});
  EXPECT_EQ(compatible.status, 0);
  EXPECT_EQ(conventional.out, compatible.out);
  EXPECT_TRUE(
      compatible.out.starts_with("Aufruf: quorfilter [OPTION]... [FILE]...\n"));
  for (const char* line :
       {"--dos-to-unix", "Dos -> Unix", "--wrap[=N]", "Umbruch",
        "--nouns[=TRENNZEICHEN]", "Substantive", "--drop-runs=N",
        "2/3/X gleiche Zeichen", "--html-modern", "HTML -> Text (modern)",
        "--rtf-modern", "RTF -> Text (modern)", "-F208",
        "Aufruf: quorfilter [-d:"}) {
    EXPECT_NE(compatible.out.find(line), std::string::npos) << line;
  }
}

TEST_F(UnixCommandLineRun, LoadsNoToolkitLibrary) {
  const RunResult run =
      Run({"--dos-to-unix"}, "a\r\n", "export LD_DEBUG=files DISPLAY=:0");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "a\n");
  EXPECT_NE(run.err.find("calling init"), std::string::npos);
  EXPECT_EQ(run.err.find("libQt"), std::string::npos);
  EXPECT_EQ(run.err.find("quorfilter-desktop"), std::string::npos);
}

TEST(UnixCommandLine, CompatibleOneIsChosenByDocumentMarkerOrNoOption) {
  const std::vector<std::pair<std::vector<std::string>, bool>> cases = {
      {{}, true},
      {{"brief.txt"}, true},
      {{"mein brief.txt", "x"}, true},
      {{"--help"}, true},
      {{"--version"}, true},
      {{"-d:brief.txt", "--upper"}, true},
      {{"--upper", "x-D:y"}, true},
      {{"--help", "x"}, false},
      {{"-F208", "brief.txt"}, false},
      {{"-"}, false},
      {{"--upper"}, false},
  };
  for (const auto& [arguments, compatible] : cases) {
    EXPECT_EQ(IsCompatibleCommandLine(arguments), compatible)
        << (arguments.empty() ? "" : arguments[0]);
  }
}

TEST(UnixCommandLine, ParametersBelongToTheirStepAndFilesDefaultToInput) {
  const ParsedUnixCommandLine parsed = ParseUnixCommandLine(
      {"--wrap=30", "--wrap", "--drop-runs=3", "--drop-runs", "5", "--nouns=;",
       "--exclude=liste.txt", "-j", "2"});
  ASSERT_TRUE(parsed.command_line) << parsed.error.message;
  const UnixCommandLine& line = *parsed.command_line;
  ASSERT_EQ(line.steps.size(), 6U);
  EXPECT_EQ(line.steps[0].number, 30);
  EXPECT_FALSE(line.steps[1].number);
  EXPECT_EQ(line.steps[2].filter->option, "-F211");
  EXPECT_EQ(line.steps[3].filter->option, "-F212");
  EXPECT_EQ(line.steps[3].number, 5);
  EXPECT_EQ(line.steps[4].text, ";");
  EXPECT_EQ(line.steps[5].text, "liste.txt");
  EXPECT_EQ(line.files, std::vector<std::string>{"-"});
  EXPECT_EQ(line.jobs, 2U);
}

}  // namespace
}  // namespace quor
