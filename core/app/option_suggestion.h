#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// The long option among `known` (names without dashes) nearest to the first
// argument that starts with "--" and names none of them, as "--name"; empty
// when no known name is close enough to be what was meant.
std::string NearestOption(const std::vector<std::string>& arguments,
                          std::span<const std::string_view> known);

}  // namespace quor
