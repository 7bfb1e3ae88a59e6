// Load and save of a 100 MB document, as a batch run does them: the load
// includes the view refresh that follows it, the save the replacement through
// a temporary file.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/app/application.h"
#include "core/app/document_file.h"
#include "core/files/whole_file.h"
#include "corpus.h"
#include "silent_messages.h"

namespace quor {
namespace {

constexpr std::size_t kTextSize = std::size_t{100} << 20;

// A file of the corpus in the temporary folder, removed at exit.
class CorpusFile {
 public:
  CorpusFile()
      : path_("/tmp/quorbench_document." + std::to_string(::getpid())) {
    if (!WriteWholeFile(path_, bench::GermanText(kTextSize))) {
      std::perror(path_.c_str());
    }
  }
  ~CorpusFile() { std::remove(path_.c_str()); }
  CorpusFile(const CorpusFile&) = delete;
  CorpusFile& operator=(const CorpusFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const CorpusFile& File() {
  static const CorpusFile file;
  return file;
}

void SetThroughput(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(kTextSize));
}

void BM_LoadDocument(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& path = File().path();
  Application app(ProgramPaths{}, messages);
  for (auto _ : state) {
    // Freeing the previous text and index is no part of the load.
    state.PauseTiming();
    app.document.text.reset();
    app.view.line_index.reset();
    state.ResumeTiming();
    LoadDocument(app, path);
    benchmark::DoNotOptimize(app.document.text);
  }
  if (!app.document.text || app.document.text->size() != kTextSize) {
    state.SkipWithError("document not loaded");
  }
  SetThroughput(state);
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);

void BM_SaveDocument(benchmark::State& state) {
  bench::SilentMessages messages;
  const std::string& path = File().path();
  const TextDocument document{bench::GermanText(kTextSize)};
  for (auto _ : state) {
    SaveDocument(document, path, messages);
  }
  SetThroughput(state);
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
