#include "core/app/progress_line.h"

#include <unistd.h>

#include <cerrno>
#include <string>

namespace quor {
namespace {

using std::chrono::microseconds;

// Tenths as "12,3", the German way.
std::string Tenths(std::uint64_t tenths) {
  return std::to_string(tenths / 10) + ',' + std::to_string(tenths % 10);
}

std::string Text(std::uint64_t files_done, std::uint64_t total_files,
                 std::uint64_t bytes_done, std::uint64_t total_bytes,
                 microseconds elapsed) {
  const std::uint64_t percent = total_bytes > 0 ? bytes_done * 100 / total_bytes
                                : total_files > 0
                                    ? files_done * 100 / total_files
                                    : 100;
  // Bytes per microsecond are millions of bytes per second.
  const auto micros = static_cast<std::uint64_t>(elapsed.count());
  const std::uint64_t rate_tenths = micros > 0 ? bytes_done * 10 / micros : 0;
  return std::to_string(files_done) + '/' + std::to_string(total_files) +
         " Dateien (" + std::to_string(percent) + " %), " +
         Tenths(rate_tenths) + " MB/s";
}

void WriteToStandardError(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(STDERR_FILENO, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    // A progress line that cannot be shown is no reason to stop the run.
    if (n <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace

ProgressLine::ProgressLine(std::uint64_t total_files, std::uint64_t total_bytes,
                           bool terminal, Sink sink, Clock clock)
    : total_files_(total_files),
      total_bytes_(total_bytes),
      terminal_(terminal),
      sink_(std::move(sink)),
      clock_(std::move(clock)),
      start_(clock_()),
      next_draw_(start_ + kQuietStart) {}

ProgressLine ProgressLine::OnStandardError(std::uint64_t total_files,
                                           std::uint64_t total_bytes) {
  return ProgressLine(total_files, total_bytes, ::isatty(STDERR_FILENO) == 1,
                      WriteToStandardError, std::chrono::steady_clock::now);
}

void ProgressLine::Update(std::uint64_t files_done, std::uint64_t bytes_done) {
  if (!terminal_) return;
  const auto now = clock_();
  if (now < next_draw_) return;
  next_draw_ = now + kRedrawEvery;
  const std::string text =
      Text(files_done, total_files_, bytes_done, total_bytes_,
           std::chrono::duration_cast<microseconds>(now - start_));
  // Blanks over the rest of a longer line before.
  const std::size_t cover = width_ > text.size() ? width_ - text.size() : 0;
  sink_('\r' + text + std::string(cover, ' '));
  width_ = text.size();
}

void ProgressLine::Finish() {
  if (width_ == 0) return;
  sink_('\r' + std::string(width_, ' ') + '\r');
  width_ = 0;
}

}  // namespace quor
