#include "core/app/in_place_writer.h"

#include <new>
#include <utility>

#include "core/app/document_file.h"
#include "core/app/file_messages.h"

namespace quor {

void InPlaceWriter::Take(const std::string& name, FilterResult& result) {
  Record record{name, std::move(result.messages), std::nullopt};
  if (!result.failed && result.changed) {
    if (!result.loaded) {
      record.messages.Show(kFileChanged, kCaptionError);
    } else {
      try {
        record.index = batch_.Add(std::move(*result.loaded), result.bytes);
      } catch (const std::bad_alloc&) {
        record.messages.Show(kNoMemory, kCaptionError);
      }
    }
  }
  records_.push_back(std::move(record));
  EmitSettled();
}

bool InPlaceWriter::Finish() {
  // A commit that ran out of memory is finished by the next call.
  for (int attempt = 0; attempt < 2 && batch_.pending() > 0; ++attempt) {
    try {
      batch_.Commit();
    } catch (const std::bad_alloc&) {
    }
  }
  for (Record& record : records_) {
    if (record.index && !batch_.StatusOf(*record.index)) {
      record.index.reset();
      record.messages.Show(kNoMemory, kCaptionError);
    }
  }
  EmitSettled();
  return all_through_;
}

void InPlaceWriter::EmitSettled() {
  while (!records_.empty()) {
    Record& record = records_.front();
    if (record.index && !batch_.StatusOf(*record.index)) return;
    Emit(record);
    records_.pop_front();
  }
}

void InPlaceWriter::Emit(Record& record) {
  if (record.index) {
    switch (*batch_.StatusOf(*record.index)) {
      case SaveStatus::kSaved:
        break;
      case SaveStatus::kChanged:
        record.messages.Show(kFileChanged, kCaptionError);
        break;
      case SaveStatus::kFailed:
        record.messages.Show(kCannotCreateFile, kCaptionError);
        break;
    }
  }
  EmitFileMessages(errors_, progress_, record.name, record.messages);
  all_through_ = all_through_ && !record.messages.ErrorReported();
}

}  // namespace quor
