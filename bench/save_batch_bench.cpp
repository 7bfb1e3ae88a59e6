// Saving 2000 files of 4 KB over themselves, as `-i` over many files does:
// each flushed on its own (two flushes a file) against the flushes gathered
// for the whole batch (two a file system).

#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/files/file_save.h"
#include "core/files/save_batch.h"

namespace quor {
namespace {

constexpr int kFiles = 2000;
constexpr std::size_t kFileSize = 4096;

// A folder of kFiles files in the temporary folder, removed at the end.
class ManyFiles {
 public:
  ManyFiles()
      : folder_(std::filesystem::temp_directory_path() /
                ("quorbench_many." + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder_);
    for (int i = 0; i < kFiles; ++i) {
      paths_.push_back((folder_ / (std::to_string(i) + ".txt")).string());
      std::FILE* f = std::fopen(paths_.back().c_str(), "wb");
      if (f == nullptr) continue;
      std::fwrite(contents_.data(), 1, contents_.size(), f);
      std::fclose(f);
    }
  }
  ~ManyFiles() { std::filesystem::remove_all(folder_); }
  ManyFiles(const ManyFiles&) = delete;
  ManyFiles& operator=(const ManyFiles&) = delete;

  const std::vector<std::string>& paths() const { return paths_; }
  const std::string& contents() const { return contents_; }

 private:
  std::filesystem::path folder_;
  std::vector<std::string> paths_;
  std::string contents_ = std::string(kFileSize, 'x');
};

LoadedFile Loaded(const std::string& path) {
  struct stat info = {};
  ::stat(path.c_str(), &info);
  std::optional<LoadedFile> file = LocateLoadedFile(path, StampOf(info));
  return file ? std::move(*file) : LoadedFile{};
}

void BM_SaveEachFlushed(benchmark::State& state) {
  const ManyFiles files;
  for (auto _ : state) {
    for (const std::string& path : files.paths()) {
      LoadedFile file = Loaded(path);
      if (SaveFile(file, files.contents(), true) != SaveStatus::kSaved) {
        state.SkipWithError("save failed");
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_SaveEachFlushed)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SaveBatchGathered(benchmark::State& state) {
  const ManyFiles files;
  for (auto _ : state) {
    SaveBatch batch;
    for (const std::string& path : files.paths()) {
      batch.Add(Loaded(path), files.contents());
    }
    batch.Commit();
    for (std::size_t i = 0; i < batch.size(); ++i) {
      if (batch.StatusOf(i) != SaveStatus::kSaved) {
        state.SkipWithError("save failed");
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_SaveBatchGathered)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace quor
