// "-COPY" on a virtual X server: the text must still be on the clipboard
// after the program has ended, and the process keeping it must go once
// another program takes the clipboard.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "test_support.h"

namespace quor {
namespace {

using testing::ReadFile;
using testing::WriteFile;

class CopyOption : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = dir_.File("quorfilter");
    std::filesystem::copy_file(QUORFILTER_PROGRAM, program_);
    std::filesystem::copy_file(
        QUORFILTER_DESKTOP_MODULE,
        dir_.File(std::filesystem::path(QUORFILTER_DESKTOP_MODULE)
                      .filename()
                      .string()));
    document_ = dir_.File("brief.txt");
  }

  void TearDown() override {
    const std::string pid = ReadFile(dir_.File("xvfb.pid"));
    if (!pid.empty()) ::kill(std::stoi(pid), SIGTERM);
  }

  // Runs a shell command with DISPLAY set to `display` (unset when empty)
  // and no Wayland; returns its exit status, its output in out and err.
  int Shell(const std::string& command, const std::string& display) {
    const std::string environment = display.empty()
                                        ? "unset DISPLAY; "
                                        : "export DISPLAY=" + display + "; ";
    const int status = std::system(("unset WAYLAND_DISPLAY QT_QPA_PLATFORM; " +
                                    environment + "{ " + command + "; } >" +
                                    dir_.File("out") + " 2>" + dir_.File("err"))
                                       .c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  int Copy(const std::string& display) {
    return Shell(program_ + " -d:'\"" + document_ + "\"' -COPY", display);
  }

  std::string Out() const { return ReadFile(dir_.File("out")); }
  std::string Err() const { return ReadFile(dir_.File("err")); }

  // Starts Xvfb on a free display and returns the display; empty when
  // Xvfb or xclip is missing.
  std::string StartServer() {
    if (Shell("command -v Xvfb && command -v xclip", "") != 0) return "";
    Shell("Xvfb -displayfd 3 -nolisten tcp 3>" + dir_.File("display") +
              " >/dev/null 2>&1 & echo $! >" + dir_.File("xvfb.pid"),
          "");
    // Xvfb writes its display number once it accepts clients.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string number;
    while (number.find('\n') == std::string::npos &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      number = ReadFile(dir_.File("display"));
    }
    return number.empty() ? "" : ":" + number.substr(0, number.find('\n'));
  }

  // Whether a process of this test's program copy still runs.
  bool ProgramStillRuns() const {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      std::error_code error;
      if (std::filesystem::read_symlink(entry.path() / "exe", error) ==
          program_) {
        return true;
      }
    }
    return false;
  }

  testing::TempDir dir_;
  std::string program_;
  std::string document_;
};

TEST_F(CopyOption, TextOutlivesProgramUntilAnotherTakesClipboard) {
  const std::string display = StartServer();
  if (display.empty()) GTEST_SKIP() << "needs Xvfb and xclip";
  WriteFile(document_, "Gr\xFC\xDF\x65 \x80\r\nZeile");

  EXPECT_EQ(Copy(display), 0) << Err();
  EXPECT_EQ(Err(), "");
  EXPECT_EQ(ReadFile(document_), "Gr\xFC\xDF\x65 \x80\r\nZeile");
  EXPECT_TRUE(ProgramStillRuns());
  Shell("xclip -o -selection clipboard", display);
  EXPECT_EQ(Out(), "Grüße €\r\nZeile");

  // xclip stays to serve its own text; it ends with the server.
  Shell("printf anders | xclip -i -selection clipboard", display);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (ProgramStillRuns() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_FALSE(ProgramStillRuns());
  Shell("xclip -o -selection clipboard", display);
  EXPECT_EQ(Out(), "anders");
}

TEST_F(CopyOption, KeeperModeKeepsStandardInputAfterTheProgramEnds) {
  const std::string display = StartServer();
  if (display.empty()) GTEST_SKIP() << "needs Xvfb and xclip";
  EXPECT_EQ(Shell("printf 'Gr\\374\\337e \\200' | QUOR_CLIPBOARD_KEEPER=1 " +
                      program_,
                  display),
            0)
      << Err();
  EXPECT_TRUE(ProgramStillRuns());
  Shell("xclip -o -selection clipboard", display);
  EXPECT_EQ(Out(), "Grüße €");
}

TEST_F(CopyOption, MissingOrUnreachableWindowSystemIsReported) {
  WriteFile(document_, "Text");
  // No X server listens on a display this high.
  for (const std::string display : {"", ":65000"}) {
    EXPECT_EQ(Copy(display), 1);
    EXPECT_EQ(Err(), "quorfilter: Fehler! Clipboard in Benutzung.\n");
    EXPECT_EQ(ReadFile(document_), "Text");
    EXPECT_FALSE(ProgramStillRuns());
  }
}

TEST_F(CopyOption, NothingToCopyIsReportedFirst) {
  EXPECT_EQ(Copy(""), 1);
  EXPECT_EQ(Err(),
            "quorfilter: Fehler! Kann Datei nicht öffnen.\n"
            "quorfilter: Fehler! Kein Text im Speicher.\n");
}

}  // namespace
}  // namespace quor
