#pragma once

#include <cstddef>
#include <cstdio>
#include <deque>
#include <optional>
#include <string>

#include "core/app/collected_messages.h"
#include "core/app/progress_line.h"
#include "core/app/unix_filter.h"
#include "core/files/save_batch.h"

namespace quor {

// Writes results back to their files through one SaveBatch, so that the
// flushes of many files are gathered, and reports each file's messages in
// the order of the files once its save has settled.
class InPlaceWriter {
 public:
  InPlaceWriter(std::FILE* errors, ProgressLine& progress)
      : errors_(errors), progress_(progress) {}

  // Takes the result of the file `name`: a changed result goes to the
  // batch, an unchanged one is not written.
  void Take(const std::string& name, FilterResult& result);

  // Saves what is still pending and reports the rest; true when every file
  // went through.
  bool Finish();

 private:
  struct Record {
    std::string name;
    CollectedMessages messages;
    std::optional<std::size_t> index;  // in the batch, when it was added
  };

  // Reports the records at the front whose save has settled.
  void EmitSettled();
  void Emit(Record& record);

  std::FILE* errors_;
  ProgressLine& progress_;
  SaveBatch batch_;
  std::deque<Record> records_;
  bool all_through_ = true;
};

}  // namespace quor
