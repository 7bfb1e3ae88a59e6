#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/filters/messages.h"
#include "core/filters/text_document.h"

namespace quor {

// At most this many undo steps are kept.
inline constexpr std::size_t kMostUndoSteps = 50;
// The copies of all steps together stay below this, the oldest going first;
// the newest undo step is kept whatever its size.
inline constexpr std::int64_t kHistoryByteCap = std::int64_t{1} << 30;

// The document's earlier states for undo and the undone ones for redo, and
// which state was last loaded or saved. Every state carries an id, so a
// return to the saved state is seen without comparing texts; only when the
// ids differ are the texts compared, so a change that is later reversed by
// hand counts as none.
class DocumentHistory {
 public:
  explicit DocumentHistory(std::int64_t byte_cap = kHistoryByteCap)
      : byte_cap_(byte_cap) {}

  // Keeps a copy of `document` before a change, and forgets the redo steps.
  // Without memory for the copy no undo step is left and nothing is shown.
  void Record(const TextDocument& document);
  // Record, but without memory for the copy it returns false and leaves the
  // history as it was, for a change that must not happen without its step.
  bool TryRecord(const TextDocument& document);
  // Forgets the step Record just kept when `document` still equals it: a
  // change that changed nothing is no step.
  void ForgetIfUnchanged(const TextDocument& document);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Steps back or forward; false when there is no step or, reported as
  // "Nicht genug Speicher frei.", no memory to keep the present state.
  bool Undo(TextDocument& document, Messages& messages);
  bool Redo(TextDocument& document, Messages& messages);

  // The present state is the one in its file.
  void MarkSaved() { saved_id_ = current_id_; }
  // A new document: no steps, and it counts as saved.
  void Restart();
  // Whether `document`, the present state, differs from the saved one.
  bool Modified(const TextDocument& document) const;

  std::size_t UndoSteps() const { return undo_.size(); }
  std::size_t RedoSteps() const { return redo_.size(); }
  // The bytes all steps hold.
  std::int64_t HeldBytes() const { return held_bytes_; }

 private:
  struct State {
    std::optional<std::string> text;
    TextEncoding encoding = TextEncoding::kCp1252;
    std::uint64_t id = 0;
  };

  const State* Find(std::uint64_t id) const;
  void DropOldest();
  void ClearRedo();

  std::int64_t byte_cap_;
  std::deque<State> undo_;   // oldest first
  std::vector<State> redo_;  // next redo last
  std::int64_t held_bytes_ = 0;
  std::uint64_t current_id_ = 0;
  std::uint64_t saved_id_ = 0;
  std::uint64_t next_id_ = 1;
};

}  // namespace quor
