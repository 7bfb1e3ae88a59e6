#pragma once

// The HTML filter as the rules read: three removal passes that move the rest
// of the text per block, the tag pass into a fresh buffer, and one exact
// replace sweep per entity, in the table's order.

#include <span>
#include <string>

namespace quor::reference {

struct Entity {
  const char* name;
  unsigned char byte;
};

// The 71 entities in the order of replacement.
std::span<const Entity> EntityTable();

std::string HtmlToText(std::string text);

// Just the entity sweeps.
std::string DecodeEntities(std::string text);

}  // namespace quor::reference
