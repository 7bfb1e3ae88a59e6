#pragma once

#include <cstdio>
#include <string_view>

#include "core/app/collected_messages.h"
#include "core/app/progress_line.h"

namespace quor {

// Writes the messages of the file `name` to `errors`, one line each as
// "quorfilter: NAME: <caption> <text>", clearing `progress` first when there
// is anything to write.
void EmitFileMessages(std::FILE* errors, ProgressLine& progress,
                      std::string_view name, const CollectedMessages& messages);

}  // namespace quor
