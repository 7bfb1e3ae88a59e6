#pragma once

#include <string>

#include "core/filters/messages.h"

namespace quor {

// The desktop part's entry point `symbol`, from the part beside the program
// file or else from where it is installed; the part stays loaded. nullptr
// after telling `messages` why it could not be had.
void* FindDesktopFunction(const std::string& program_file, const char* symbol,
                          Messages& messages);

}  // namespace quor
