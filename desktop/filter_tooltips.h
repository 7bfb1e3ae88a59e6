#pragma once

#include <QString>

#include "core/app/filter_catalogue.h"

namespace quor {

// What a filter button does, in one German sentence, and how the same filter
// is asked for on the command line: its long option and its "-F" option.
QString FilterToolTip(const FilterEntry& filter);

}  // namespace quor
