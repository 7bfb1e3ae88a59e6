#include "core/app/document_history.h"

#include <new>
#include <stdexcept>
#include <utility>

namespace quor {
namespace {

std::int64_t TextSize(const std::optional<std::string>& text) {
  return text ? static_cast<std::int64_t>(text->size()) : 0;
}

// Moves the present state of `document` onto `to` and the newest state of
// `from` into the document. The place on `to` is made first, so that a lack
// of memory leaves everything as it was.
// `held_bytes` follows: the present text joins the steps, the earlier leaves.
template <typename From, typename To>
bool Step(From& from, To& to, TextDocument& document, std::uint64_t& current_id,
          std::int64_t& held_bytes, Messages& messages) {
  if (from.empty()) return false;
  if (!ReportingLackOfMemory(messages, [&to] { to.emplace_back(); })) {
    return false;
  }
  auto& present = to.back();
  present.text = std::move(document.text);
  present.encoding = document.encoding;
  present.id = current_id;
  auto& earlier = from.back();
  held_bytes += TextSize(present.text) - TextSize(earlier.text);
  document.text = std::move(earlier.text);
  document.encoding = earlier.encoding;
  current_id = earlier.id;
  from.pop_back();
  return true;
}

}  // namespace

void DocumentHistory::Record(const TextDocument& document) {
  if (TryRecord(document)) return;
  // The steps left would skip the change that follows.
  undo_.clear();
  ClearRedo();
  held_bytes_ = 0;
  current_id_ = next_id_++;
}

bool DocumentHistory::TryRecord(const TextDocument& document) {
  try {
    undo_.push_back(State{document.text, document.encoding, current_id_});
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  ClearRedo();
  current_id_ = next_id_++;
  held_bytes_ += TextSize(undo_.back().text);
  while (undo_.size() > kMostUndoSteps ||
         (held_bytes_ > byte_cap_ && undo_.size() > 1)) {
    DropOldest();
  }
  return true;
}

void DocumentHistory::ForgetIfUnchanged(const TextDocument& document) {
  if (undo_.empty() || undo_.back().text != document.text ||
      undo_.back().encoding != document.encoding) {
    return;
  }
  current_id_ = undo_.back().id;
  held_bytes_ -= TextSize(undo_.back().text);
  undo_.pop_back();
}

bool DocumentHistory::Undo(TextDocument& document, Messages& messages) {
  return Step(undo_, redo_, document, current_id_, held_bytes_, messages);
}

bool DocumentHistory::Redo(TextDocument& document, Messages& messages) {
  return Step(redo_, undo_, document, current_id_, held_bytes_, messages);
}

void DocumentHistory::Restart() {
  undo_.clear();
  redo_.clear();
  held_bytes_ = 0;
  current_id_ = next_id_++;
  saved_id_ = current_id_;
}

bool DocumentHistory::Modified(const TextDocument& document) const {
  if (current_id_ == saved_id_) return false;
  const State* saved = Find(saved_id_);
  return saved == nullptr || saved->text != document.text ||
         saved->encoding != document.encoding;
}

const DocumentHistory::State* DocumentHistory::Find(std::uint64_t id) const {
  for (const State& state : undo_) {
    if (state.id == id) return &state;
  }
  for (const State& state : redo_) {
    if (state.id == id) return &state;
  }
  return nullptr;
}

void DocumentHistory::DropOldest() {
  held_bytes_ -= TextSize(undo_.front().text);
  undo_.pop_front();
}

void DocumentHistory::ClearRedo() {
  for (const State& state : redo_) held_bytes_ -= TextSize(state.text);
  redo_.clear();
}

}  // namespace quor
