#include "core/app/option_suggestion.h"

#include <algorithm>
#include <numeric>

namespace quor {
namespace {

// The number of single-character insertions, deletions and replacements
// that turn `a` into `b`.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                         diagonal + (a[i - 1] == b[j - 1] ? 0U : 1U)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string NearestOption(const std::vector<std::string>& arguments,
                          std::span<const std::string_view> known) {
  for (const std::string& argument : arguments) {
    if (!argument.starts_with("--") || argument.size() == 2) continue;
    const std::string_view name =
        std::string_view(argument).substr(2, argument.find('=') - 2);
    if (std::find(known.begin(), known.end(), name) != known.end()) continue;
    // A third of the name may be mistyped, and two characters of any name.
    const std::size_t allowed = std::max<std::size_t>(2, name.size() / 3);
    std::string_view nearest;
    std::size_t best = allowed + 1;
    for (const std::string_view candidate : known) {
      const std::size_t distance = EditDistance(name, candidate);
      if (distance < best) {
        best = distance;
        nearest = candidate;
      }
    }
    return nearest.empty() ? std::string() : "--" + std::string(nearest);
  }
  return {};
}

}  // namespace quor
