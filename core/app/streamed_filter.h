#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/app/collected_messages.h"
#include "core/app/unix_command_line.h"
#include "core/app/unix_filter.h"
#include "core/filters/byte_map.h"

namespace quor {

// How much of the input is read at a time: large enough that system calls
// cost little, small enough to stay in the processor's caches between the
// read, the map and the write.
inline constexpr std::size_t kStreamSlice = std::size_t{128} << 10;

// Filters that map bytes or collapse blanks, and nothing else: the maps that
// the runs of byte maps amount to, with the blanks collapsed between each
// two (maps[0], collapse, maps[1], ..., maps.back()).
struct StreamPlan {
  std::vector<ByteTable> maps;
  // Whether the result is code-page bytes whatever the input's encoding.
  bool gives_code_page_bytes = false;
};

// The plan of `steps` when every step maps bytes or collapses blanks; absent
// otherwise, and under the set UTF-8, which refuses an input only once all of
// it is read.
std::optional<StreamPlan> StreamPlanOf(std::span<const FilterStep> steps,
                                       CharacterSet set);

// Filters the input `name` ("-" for standard input) onto `output` as it is
// read, a slice at a time, so that memory stays small whatever the input's
// size and the output starts at once. The bytes written are those that
// FilterInput gives: where the input may be Unicode (a byte order mark, or
// a first character beyond ASCII that is well-formed UTF-8) the rest is read
// whole and filtered by `steps` like a document. An input refused halfway
// (a zero byte) leaves written what came before it. `progress` is told the
// bytes read so far.
CollectedMessages StreamInput(
    const std::string& name, const StreamPlan& plan,
    std::span<const FilterStep> steps, const RunContext& context,
    std::FILE* output, const std::function<void(std::uint64_t)>& progress);

}  // namespace quor
