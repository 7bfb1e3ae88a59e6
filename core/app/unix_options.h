#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/app/filter_catalogue.h"

namespace quor {

// What a filter option of the conventional command line takes after '='.
enum class OptionParameter {
  kNone,
  kOptionalNumber,  // --wrap[=N], --min-length[=N]
  kNumber,          // --drop-runs=N
  kOptionalFile,    // --exclude[=FILE], --replace[=FILE]
  kOptionalText,    // --nouns[=SEPARATOR]
};

// A filter's long option: its name without the dashes, the compatible option
// of the catalogue entry it runs (for a modern reader, that reader's
// `option`), the parameter and the button's label as --help shows it.
struct FilterOption {
  std::string_view name;
  std::string_view catalogue_option;
  OptionParameter parameter;
  std::string_view label;
};

// Every filter option, in the order of the catalogue; a modern reader follows
// its button's option.
std::span<const FilterOption> FilterOptions();

// The catalogue entry whose compatible option is exactly `option` ("-F208"),
// or null.
const FilterEntry* CatalogueEntry(std::string_view option);

// The filter that `option` runs: its catalogue entry or its modern reader.
const FilterEntry* FilterOf(const FilterOption& option);

// How --help writes what `parameter` takes: "[=N]", "=N", "[=DATEI]", ...
std::string_view ParameterOf(OptionParameter parameter);

// The long option that runs exactly the button of `filter`, as --help
// writes it: "--wrap[=N]", and "--drop-runs=2" for the button that fixes
// the run at two characters.
std::string LongOptionOf(const FilterEntry& filter);

}  // namespace quor
