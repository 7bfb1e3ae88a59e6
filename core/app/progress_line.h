#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace quor {

// A line on a terminal that tells how far a long run over many files is:
//   "\r37/2000 Dateien (12 %), 8,4 MB/s"
// (the share counts bytes, the rate is in millions of bytes a second since
// the start). Nothing is drawn in the first half second, so that short runs
// stay silent, and after that at most ten times a second; every redraw
// covers what the last one wrote. Nothing at all when the output is no
// terminal. One thread uses a line at a time.
class ProgressLine {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  using Sink = std::function<void(std::string_view)>;

  static constexpr std::chrono::milliseconds kQuietStart{500};
  static constexpr std::chrono::milliseconds kRedrawEvery{100};

  // A line written to `sink` with the time from `clock`, the run starting
  // now; `terminal` false makes it write nothing.
  ProgressLine(std::uint64_t total_files, std::uint64_t total_bytes,
               bool terminal, Sink sink, Clock clock);

  // A line on standard error, drawn when that is a terminal.
  static ProgressLine OnStandardError(std::uint64_t total_files,
                                      std::uint64_t total_bytes);

  // Tells how much is done; redraws when the time has come.
  void Update(std::uint64_t files_done, std::uint64_t bytes_done);

  // Clears the line, leaving the cursor at its start.
  void Finish();

 private:
  std::uint64_t total_files_;
  std::uint64_t total_bytes_;
  bool terminal_;
  Sink sink_;
  Clock clock_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point next_draw_;
  std::size_t width_ = 0;  // of the text on the line now
};

}  // namespace quor
